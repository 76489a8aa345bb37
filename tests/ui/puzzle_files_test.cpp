// Load and Save through the dialogs, as the window runs them.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <set>
#include <tuple>

#include "support/scratch_dir.h"
#include "support/test_support.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::shown_grid;
using testing::write_bytes;

class PuzzleFiles : public ::testing::Test {
 protected:
  PuzzleFiles() {
    // A grid that Load must replace whole: givens, solver digits, labels.
    testing::enter_puzzle(
        window, "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");
    window.CmdSolve_Click();
    window.view().Check2 = true;
    platform.messages.clear();
  }

  void answer(const fs::path& path) { platform.answers.push_back({true, path, {}}); }

  // Runs `command` and checks that it showed `message` and changed nothing.
  void expect_refused(void (Sudoku::*command)(), const std::string& message) {
    const View view = window.view();
    const Board board = window.board();
    platform.messages.clear();
    (window.*command)();
    EXPECT_EQ(platform.messages, std::vector<std::string>{message});
    EXPECT_TRUE(window.view() == view) << shown_grid(window.view());
    EXPECT_TRUE(window.board() == board);
  }

  testing::ScratchDir dir;
  testing::ScriptedPlatform platform{dir.path};
  Sudoku window{platform};
  const std::string at = std::string(1, '"').append(dir.path.string()).append("/");  // how a message begins a path in `dir`
};

TEST_F(PuzzleFiles, DialogsStartInTheExamplesFolderAndACancelChangesNothing) {
  expect_refused(&Sudoku::cmdLoad_Click, "Cancel was selected.");
  expect_refused(&Sudoku::cmdSave_Click, "Cancel was selected.");
  ASSERT_EQ(platform.requests.size(), 2u);
  const auto fields = [](const FileDialogRequest& r) {
    return std::tuple(r.kind, r.title, r.filter, r.initial_dir);
  };
  EXPECT_EQ(fields(platform.requests[0]),
            std::tuple(FileDialogKind::open, " Open Sudoku ", "Soduku Files (*.sud)", dir / "examples"));
  EXPECT_EQ(fields(platform.requests[1]),
            std::tuple(FileDialogKind::save, " Save Soduku ", "Sudoku files (*.sud)", dir / "examples"));
}

TEST_F(PuzzleFiles, SaveThenLoadGivesBackTheDigitsUnfrozen) {
  window.type_into_cell(0, "");  // givens, solver digits and an empty cell
  const std::string grid = shown_grid(window.view());
  ASSERT_EQ(grid.front(), '.');
  // Saving through a link replaces the file it points to and keeps its permissions.
  const fs::path file = write_bytes(dir / "a.sud", "old");
  fs::permissions(file, fs::perms(0640));
  fs::create_symlink(file, dir / "link.sud");
  answer(dir / "link.sud");
  window.cmdSave_Click();
  EXPECT_TRUE(fs::is_symlink(dir / "link.sud"));
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
  // A link to a file not yet there makes that file, and stays a link.
  fs::create_symlink("new.sud", dir / "dangling.sud");
  answer(dir / "dangling.sud");
  window.cmdSave_Click();
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.sud"));
  EXPECT_EQ(read_bytes(dir / "new.sud"), read_bytes(file));

  const View before = window.view();
  answer(dir / "link.sud");
  window.cmdLoad_Click();
  const View& view = window.view();
  const Board& board = window.board();
  std::string saved;  // one line per cell, down the columns
  for (int k = 0; k < 81; ++k) {
    const char c = grid[9 * (k % 9) + k / 9];
    const int value = c == '.' ? 0 : c - '0';
    saved += (value ? std::string(1, c) : " 0 ") + "\r\n";
    EXPECT_EQ(std::tuple(view.cell(k), board.cell_value[k], board.cand_mask[k + 1], board.given_value[k + 1],
                         board.tried_mask[k + 1]),
              std::tuple(CellView{value ? std::string(1, c) : "", kBlack, true, 1},
                         value ? value : kEmptyCell, value ? digit_mask(value) : kAllDigits, kNotGiven, 0))
        << k;
  }
  EXPECT_EQ(read_bytes(file), saved);
  EXPECT_TRUE(board.is_valid && board.is_complete && board.solvable && board.attempt_ok);
  EXPECT_EQ(board.pass_count + board.guess_count + board.placed_digit + board.unit_mask, 0);
  EXPECT_EQ(std::tuple(view.Label1, view.Label4, view.Check2), std::tuple("", before.Label4, true));
  EXPECT_EQ(std::tuple(view.cmdRestart, view.CmdSolve, view.cmdSave, view.cmdFreeze, view.cmdLoad),
            std::tuple(false, false, true, true, true));

  // Files written elsewhere: LF line ends, a byte order mark, padded digits, fewer lines.
  std::string lf = saved;
  std::erase(lf, '\r');
  std::string bom = "\xEF\xBB\xBF";
  bom += std::string_view(saved).substr(0, saved.size() - 2);  // no line end after line 81
  const std::string empty(81, '.');
  std::string padded = empty;
  padded[0] = '5';
  padded[18] = '7';
  const std::pair<std::string_view, std::string_view> files[] = {
      {lf, grid}, {bom, grid}, {" 5 \n00\n\t07", padded}, {"", empty}};
  for (const auto& [bytes, shown] : files) {
    answer(write_bytes(dir / "b.sud", bytes));
    window.cmdLoad_Click();
    EXPECT_EQ(shown_grid(window.view()), shown) << bytes;
  }
  EXPECT_EQ(platform.messages, std::vector<std::string>{});
}

TEST_F(PuzzleFiles, ABadFileIsNamedAndChangesNothing) {
  std::string lines_82;
  for (int i = 0; i < 82; ++i) lines_82 += "1\r\n";
  // Sparse, 8 GiB: reading it whole would take seconds, so it is refused unread.
  fs::resize_file(write_bytes(dir / "huge.sud", ""), std::uintmax_t{1} << 33);
  fs::create_directory(dir / "folder.sud");
  ::mkfifo((dir / "pipe.sud").c_str(), 0600);  // with no writer: a blocking open would hang
  const struct {
    std::string bytes, message;
    fs::path path;  // when not "bad.sud" with those bytes
  } files[] = {
      {"5\r\n\r\n", R"(Line 2 of "bad.sud" is empty, not a digit from 0 to 9.)", {}},
      {"5\r\nx\r\n", R"(Line 2 of "bad.sud" is "x", not a digit from 0 to 9.)", {}},
      {"12\r\n", R"(Line 1 of "bad.sud" is "12", not a digit from 0 to 9.)", {}},
      {"-3\r\n", R"(Line 1 of "bad.sud" is "-3", not a digit from 0 to 9.)", {}},
      {"+5\r\n", R"(Line 1 of "bad.sud" is "+5", not a digit from 0 to 9.)", {}},
      {"4.5\r\n", R"(Line 1 of "bad.sud" is "4.5", not a digit from 0 to 9.)", {}},
      {" \t\r\n", R"(Line 1 of "bad.sud" is " \t", not a digit from 0 to 9.)", {}},
      {std::string("\x89PNG\0\r\n", 7),
       R"(Line 1 of "bad.sud" is "\x89PNG\x00", not a digit from 0 to 9.)",
       {}},
      {std::string(100, '7'),
       R"(Line 1 of "bad.sud" is "777777777777777777777777...", not a digit from 0 to 9.)",
       {}},
      {lines_82, R"("bad.sud" has more than 81 lines; a puzzle file holds one line per cell.)", {}},
      {"", R"("huge.sud" is too large to be a puzzle file (more than 64 KiB).)", dir / "huge.sud"},
      {"", "Cannot open " + at + "missing.sud\": No such file or directory.", dir / "missing.sud"},
      {"", "Cannot read " + at + "folder.sud\": Is a directory.", dir / "folder.sud"},
      {"", "Cannot read " + at + "pipe.sud\": not a regular file.", dir / "pipe.sud"},
  };
  for (const auto& [bytes, message, path] : files) {
    answer(path.empty() ? write_bytes(dir / "bad.sud", bytes) : path);
    expect_refused(&Sudoku::cmdLoad_Click, message);
  }
}

TEST_F(PuzzleFiles, AFailedSaveKeepsTheEarlierFileAndLeavesNoOther) {
  answer(dir / "old.sud");
  window.cmdSave_Click();
  const std::string earlier = read_bytes(dir / "old.sud");
  write_bytes(dir / "file", "");
  ::mkfifo((dir / "pipe").c_str(), 0600);
  const std::pair<std::string, std::string> targets[] = {
      {"no-such-folder/a.sud", "No such file or directory."},
      {"file/a.sud", "Not a directory."},
      {"", "Is a directory."},
      {"pipe", "not a regular file."},  // never swapped for a file
  };
  for (const auto& [name, reason] : targets) {
    answer(dir / name);
    expect_refused(&Sudoku::cmdSave_Click, "Cannot save " + at + name + "\": " + reason);
  }
  // A full disk: the save stops after 100 of its 243 bytes.
  rlimit saved_limit{};
  ::getrlimit(RLIMIT_FSIZE, &saved_limit);
  const rlimit disk_full{100, saved_limit.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the process
  ::setrlimit(RLIMIT_FSIZE, &disk_full);
  answer(dir / "old.sud");
  expect_refused(&Sudoku::cmdSave_Click, "Cannot save " + at + "old.sud\": File too large.");
  ::setrlimit(RLIMIT_FSIZE, &saved_limit);

  EXPECT_EQ(read_bytes(dir / "old.sud"), earlier);
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  EXPECT_EQ(std::set<fs::path>(fs::directory_iterator(dir.path), {}),
            (std::set<fs::path>{dir / "file", dir / "old.sud", dir / "pipe"}));
}

}  // namespace
}  // namespace quorlen
