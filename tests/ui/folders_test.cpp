// Where an installed copy keeps its files, tried for real as an ordinary
// user: a child process drops root's privileges. (A copy in a writable
// folder keeps everything beside itself: the scenarios and the window test
// see its step log and dialogs there.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "support/scratch_dir.h"
#include "ui/folders.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

TEST(Folders, InstalledCopyUsesTheUsersFolders) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to become an ordinary user";
  const testing::ScratchDir root;  // PREFIX/bin and PREFIX/share as installed, and a home
  const fs::path bin = root / "usr/bin", samples = root / "usr/share/quorlen/examples", home = root / "home";
  const fs::path documents = home / "Documents";
  fs::permissions(root.path, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  for (const fs::path& dir : {bin, samples, documents}) fs::create_directories(dir);
  for (const fs::path& dir : {home, documents}) ASSERT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
  EXPECT_EXIT(
      {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(3);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: to be ignored
        const fs::path data = home / ".local/share/quorlen";
        const bool ok = step_log_folder(bin) == data && fs::is_directory(data) &&
                        load_dialog_folder(bin) == samples &&
                        save_dialog_folder(bin, samples, documents) == documents &&
                        save_dialog_folder(bin, home, documents) == home &&
                        (::setenv("XDG_DATA_HOME", "/data", 1), user_data_folder() == "/data/quorlen");
        std::cerr << (ok ? "ok" : "wrong folder") << std::endl;
        std::_Exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "ok");
}

}  // namespace
}  // namespace quorlen
