// Where an installed copy's dialogs open. Its folder PREFIX/bin is one the
// user may not write; a missing folder is one nobody may, even root, who runs
// these tests. (A copy in a writable folder keeps everything beside itself:
// the scenarios and the window test see its dialogs and step log there; CI's
// package check runs an installed quorlen-solve as an ordinary user.)
#include "ui/folders.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

using quorlen::load_dialog_folder, quorlen::save_dialog_folder;

TEST(Folders, InstalledCopyOpensItsSamplesAndSavesWhereTheUserMayWrite) {
  const quorlen::testing::ScratchDir root;
  const std::filesystem::path bin = root / "usr/bin", samples = root / "usr/share/quorlen/examples";
  std::filesystem::create_directories(samples);
  EXPECT_EQ(load_dialog_folder(bin), samples);
  EXPECT_EQ(save_dialog_folder(bin, samples, root / "documents"), samples);  // the last file's folder
  EXPECT_EQ(save_dialog_folder(bin, root / "gone", root.path), root.path);   // else the documents
}
