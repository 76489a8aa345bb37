// Where an installed copy's dialogs open: one in PREFIX/bin that the user
// may not write (a missing folder, which nobody may write, even root, who
// runs these tests), and one whose PREFIX the user may write. (A copy in a
// writable folder keeps everything beside itself: the scenarios and the
// window test see its dialogs and step log there; CI's package check runs
// an installed quorlen-solve as an ordinary user.)
#include "ui/folders.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

TEST(Folders, InstalledCopyOpensItsSamplesAndSavesWhereTheUserMayWrite) {
  const quorlen::testing::ScratchDir root;
  for (const bool writable : {false, true}) {
    const auto prefix = root / (writable ? "writable" : "unwritable");
    const auto bin = prefix / "bin", samples = prefix / "share/quorlen/examples";
    std::filesystem::create_directories(samples);
    if (writable) std::filesystem::create_directories(bin);
    EXPECT_EQ(quorlen::load_dialog_folder(bin), samples);
    EXPECT_EQ(quorlen::save_dialog_folder(bin, samples, root / "documents"), samples);  // last file's folder
    EXPECT_EQ(quorlen::save_dialog_folder(bin, root / "gone", root.path), root.path);   // else documents
  }
}
