// Where an installed copy keeps its files, as its users rely on: the step
// log in the user's data folder ($XDG_DATA_HOME/quorlen, else
// ~/.local/share/quorlen), made private; the dialogs in the installed
// samples and in a folder the user may write. A copy in PREFIX/bin that the
// user may not write is a missing folder here (which nobody may write, even
// root, who runs these tests). A build keeps everything beside itself: the
// scenarios and the window test see its dialogs and step log there; CI's
// package check runs an installed quorlen-solve as an ordinary user.
#include "ui/folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/scratch_dir.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

// An environment variable set (or unset, for nullptr) while it lives.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedVariable() { before_ ? ::setenv(name_, before_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> before_;
};

TEST(Folders, InstalledCopyOpensItsSamplesAndSavesWhereTheUserMayWrite) {
  const testing::ScratchDir root;
  for (const bool writable : {false, true}) {
    const auto prefix = root / (writable ? "writable" : "unwritable");
    const auto bin = prefix / "bin", samples = prefix / "share/quorlen/examples";
    fs::create_directories(samples);
    if (writable) fs::create_directories(bin);
    EXPECT_EQ(load_dialog_folder(bin), samples);
    EXPECT_EQ(save_dialog_folder(bin, samples, root / "documents"), samples);  // last file's folder
    EXPECT_EQ(save_dialog_folder(bin, root / "gone", root.path), root.path);   // else documents
  }
  EXPECT_EQ(load_dialog_folder(root / "bare/bin"), root / "bare/bin");  // no samples anywhere
}

// Each folder made on the way is the user's alone, whatever the umask; the
// home folder that was there keeps its mode.
TEST(Folders, InstalledCopyLogsInTheUsersDataFolderMadePrivate) {
  const testing::ScratchDir root;
  const auto bin = root / "prefix/bin", build = root / "build";
  fs::create_directories(root / "prefix/share/quorlen/examples");
  fs::create_directories(bin);
  fs::create_directories(build / "examples");
  EXPECT_EQ(step_log_folder(build), build);
  const mode_t umask_before = ::umask(0);
  const struct {
    const char* xdg_data_home;  // "/..." is in the scratch folder
    const char* home;
    const char* expected;
  } rows[] = {
      {nullptr, "home1", "home1/.local/share/quorlen"},
      {"/data", "home2", "data/quorlen"},
      {"data", "home3", "home3/.local/share/quorlen"},  // a relative one is ignored
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    fs::create_directory(root / row.home);
    fs::permissions(root / row.home, fs::perms(0755));
    const std::string xdg = row.xdg_data_home && *row.xdg_data_home == '/'
                                ? root.path.string() + row.xdg_data_home
                            : row.xdg_data_home ? row.xdg_data_home
                                                : "";
    const ScopedVariable home("HOME", (root / row.home).c_str());
    const ScopedVariable data("XDG_DATA_HOME", row.xdg_data_home ? xdg.c_str() : nullptr);
    EXPECT_EQ(step_log_folder(bin), root / row.expected);
    for (fs::path made = root / row.expected; made != root.path && made != root / row.home;
         made = made.parent_path()) {
      EXPECT_EQ(fs::status(made).permissions(), fs::perms(0700)) << made;
    }
    EXPECT_EQ(fs::status(root / row.home).permissions(), fs::perms(0755));
  }
  ::umask(umask_before);
  // A folder on the way that cannot be made is named.
  fs::remove_all(root / "home1/.local/share");
  testing::write_bytes(root / "home1/.local/share", "");
  const ScopedVariable home("HOME", (root / "home1").c_str()), data("XDG_DATA_HOME", nullptr);
  std::string error;
  EXPECT_EQ(step_log_folder(bin, &error), root / "home1/.local/share/quorlen");
  EXPECT_EQ(error, (root / "home1/.local/share/quorlen").string() + ": Not a directory");
}

}  // namespace
}  // namespace quorlen
