// The step log and Save against a second process writing the same file and
// against SIGKILL: every read finds one whole content, and a writer killed
// halfway leaves the earlier file whole and nothing else in the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <iterator>
#include <set>

#include "files/replace_file.h"
#include "files/step_log.h"
#include "support/scratch_dir.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

// A child writes `file` over and over while this process does too, reading it
// back each time; then the child is stopped while it writes (a file of the
// folder open, no other name in it) and killed. No file it has open may have
// a permission bit beyond `widest`.
void race_then_kill(const fs::path& file, const std::function<void(const std::string&)>& write,
                    unsigned widest) {
  const fs::path dir = file.parent_path();
  const std::string ours(1 << 19, 'o'), theirs(1 << 18, 't');  // long: the child is caught writing
  const auto whole = [&] { return std::set<std::string>{ours, theirs}.contains(testing::read_bytes(file)); };
  const auto names = [&] { return std::distance(fs::directory_iterator(dir), {}); };
  write(ours);
  const pid_t child = ::fork();
  while (child == 0) write(theirs);
  for (int i = 0; i < 10; ++i) {
    write(ours);
    EXPECT_TRUE(whole()) << "a read found a mixed or cut file";
  }
  bool caught = false;
  for (int tries = 0; tries < 3000 && !caught; ++tries, ::usleep(300)) {
    ::kill(child, SIGSTOP);
    ::waitpid(child, nullptr, WUNTRACED);
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(child) + "/fd")) {
      struct stat info {};
      if (!fs::read_symlink(fd).string().starts_with(dir.string() + "/")) continue;
      EXPECT_EQ(::stat(fd.path().c_str(), &info) == 0 ? info.st_mode & 07777 & ~widest : 1u, 0u)
          << info.st_mode;
      caught = names() == 1;
    }
    if (!caught) ::kill(child, SIGCONT);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_TRUE(caught) << "the child never wrote without a second name in the folder";
  EXPECT_TRUE(whole());
  EXPECT_EQ(names(), 1);
}

TEST(SecondWriter, StepLog) {
  testing::ScratchDir dir;
  race_then_kill(
      dir / "steps.txt",
      [&](const std::string& bytes) {
        StepLogFile log;
        FileResult<> result = log.open(dir.path);
        if (result) result = log.commit(bytes);
        EXPECT_TRUE(result) << result.error().message;
      },
      0666);
}

// The file's permissions are kept; before they are set, its owner alone may
// open the new file.
TEST(SecondWriter, Save) {
  testing::ScratchDir dir;
  fs::permissions(testing::write_bytes(dir / "a.sud", "earlier"), fs::perms(0640));
  race_then_kill(
      dir / "a.sud",
      [&](const std::string& bytes) {
        const FileResult<> saved = replace_file(dir / "a.sud", bytes);
        EXPECT_TRUE(saved) << saved.error().message;
      },
      0640);
}

}  // namespace
}  // namespace quorlen
