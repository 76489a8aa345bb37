// Load and Save through the dialogs, as the window runs them.
#include <gtest/gtest.h>

#include "support/scratch_dir.h"
#include "support/test_support.h"

namespace quorlen {
namespace {

using testing::read_bytes;
using testing::shown_grid;
using testing::write_bytes;

constexpr std::string_view kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

class PuzzleFiles : public ::testing::Test {
 protected:
  PuzzleFiles() {
    // A grid that Load must replace whole: givens, solver digits, labels.
    testing::enter_puzzle(window, kPuzzle);
    window.CmdSolve_Click();
    window.view().Check2 = true;
    platform.messages.clear();
  }

  void answer(const std::filesystem::path& path) { platform.answers.push_back({true, path, {}}); }

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
  testing::ScriptedPlatform platform{dir.path()};
  Sudoku window{platform};
};

TEST_F(PuzzleFiles, DialogsStartInTheExamplesFolderAndACancelChangesNothing) {
  expect_refused(&Sudoku::cmdLoad_Click, "Cancel was selected.");
  expect_refused(&Sudoku::cmdSave_Click, "Cancel was selected.");
  ASSERT_EQ(platform.requests.size(), 2u);
  const FileDialogRequest& load = platform.requests[0];
  const FileDialogRequest& save = platform.requests[1];
  EXPECT_EQ(load.kind, FileDialogKind::open);
  EXPECT_EQ(load.title, " Open Sudoku ");
  EXPECT_EQ(load.filter, "Soduku Files (*.sud)");
  EXPECT_EQ(save.kind, FileDialogKind::save);
  EXPECT_EQ(save.title, " Save Soduku ");
  EXPECT_EQ(save.filter, "Sudoku files (*.sud)");
  EXPECT_EQ(load.initial_dir, dir / "examples");
  EXPECT_EQ(save.initial_dir, dir / "examples");
}

TEST_F(PuzzleFiles, LoadShowsTheDigitsAsAnUnfrozenPuzzle) {
  // LF line ends, padded digits, and only the first column given.
  answer(write_bytes(dir / "column.sud", "\xEF\xBB\xBF 5 \n0\n\t07\n"));
  const View before = window.view();
  window.cmdLoad_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{});

  const View& view = window.view();
  const Board& board = window.board();
  EXPECT_EQ(shown_grid(view), "5" + std::string(17, '.') + "7" + std::string(62, '.'));
  for (int n = 1; n <= 81; ++n) {
    const int value = n == 1 ? 5 : n == 3 ? 7 : 0;
    EXPECT_EQ(view.cell(n - 1).colour, kBlack);
    EXPECT_TRUE(view.cell(n - 1).enabled);
    EXPECT_EQ(view.cell(n - 1).max_length, 1);
    EXPECT_EQ(board.cell_value[n - 1], value ? value : kEmptyCell);
    EXPECT_EQ(board.cand_mask[n], value ? digit_mask(value) : kAllDigits);
    EXPECT_EQ(board.given_value[n], kNotGiven);
    EXPECT_EQ(board.tried_mask[n], 0);
  }
  EXPECT_TRUE(board.is_valid && board.is_complete && board.solvable && board.attempt_ok);
  EXPECT_EQ(board.pass_count + board.guess_count + board.placed_digit + board.unit_mask, 0);
  EXPECT_EQ(view.Label1, "");
  EXPECT_EQ(view.Label4, before.Label4);
  EXPECT_TRUE(view.Check2);
  EXPECT_FALSE(view.cmdRestart || view.CmdSolve);
  EXPECT_TRUE(view.cmdSave && view.cmdFreeze && view.cmdLoad);
}

TEST_F(PuzzleFiles, ABadFileChangesNothing) {
  std::string lines_82;
  for (int i = 0; i < 82; ++i) lines_82 += "1\r\n";
  std::filesystem::create_directory(dir / "folder.sud");
  // Sparse, 8 GiB: reading it whole would take seconds, so it is refused unread.
  std::filesystem::resize_file(write_bytes(dir / "huge.sud", ""), std::uintmax_t{1} << 33);
  const std::pair<std::string, std::string> files[] = {
      {"5\r\n\r\n", R"(Line 2 of "bad.sud" is empty, not a digit from 0 to 9.)"},
      {"5\r\nx\r\n", R"(Line 2 of "bad.sud" is "x", not a digit from 0 to 9.)"},
      {"12\r\n", R"(Line 1 of "bad.sud" is "12", not a digit from 0 to 9.)"},
      {"-3\r\n", R"(Line 1 of "bad.sud" is "-3", not a digit from 0 to 9.)"},
      {"4.5\r\n", R"(Line 1 of "bad.sud" is "4.5", not a digit from 0 to 9.)"},
      {"\x89PNG\r\n", R"(Line 1 of "bad.sud" is "\x89PNG", not a digit from 0 to 9.)"},
      {lines_82, R"("bad.sud" has more than 81 lines; a puzzle file holds one line per cell.)"},
  };
  for (const auto& [bytes, message] : files) {
    answer(write_bytes(dir / "bad.sud", bytes));
    expect_refused(&Sudoku::cmdLoad_Click, message);
  }
  answer(dir / "huge.sud");
  expect_refused(&Sudoku::cmdLoad_Click,
                 R"("huge.sud" is too large to be a puzzle file (more than 64 KiB).)");
  answer(dir / "missing.sud");
  expect_refused(&Sudoku::cmdLoad_Click,
                 "Cannot open \"" + (dir / "missing.sud").string() + "\": No such file or directory.");
  answer(dir / "folder.sud");
  expect_refused(&Sudoku::cmdLoad_Click,
                 "Cannot read \"" + (dir / "folder.sud").string() + "\": Is a directory.");
}

TEST_F(PuzzleFiles, SaveThenLoadGivesBackTheDigitsUnfrozen) {
  window.type_into_cell(0, "");  // givens, solver digits and an empty cell
  const std::string grid = shown_grid(window.view());
  ASSERT_EQ(grid.front(), '.');
  answer(dir / "grid.sud");
  window.cmdSave_Click();
  EXPECT_EQ(read_bytes(dir / "grid.sud"), testing::sud_text(grid));

  window.cmdNew_Click();
  answer(dir / "grid.sud");
  window.cmdLoad_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{});
  EXPECT_EQ(shown_grid(window.view()), grid);
  for (int n = 1; n <= 81; ++n) {
    EXPECT_EQ(window.view().cell(n - 1).colour, kBlack);
    EXPECT_EQ(window.board().given_value[n], kNotGiven);
  }
}

TEST_F(PuzzleFiles, AFailedSaveKeepsTheEarlierFile) {
  write_bytes(dir / "old.sud", "earlier");
  write_bytes(dir / "file", "");
  const std::pair<std::filesystem::path, std::string> targets[] = {
      {dir / "no-such-folder" / "a.sud", "No such file or directory"},
      {dir / "file" / "a.sud", "Not a directory"},
  };
  for (const auto& [path, reason] : targets) {
    answer(path);
    expect_refused(&Sudoku::cmdSave_Click, "Cannot save \"" + path.string() + "\": " + reason + ".");
  }
  {
    testing::FileSizeLimit disk_full(100);  // the save stops after 100 of its 243 bytes
    answer(dir / "old.sud");
    expect_refused(&Sudoku::cmdSave_Click,
                   "Cannot save \"" + (dir / "old.sud").string() + "\": File too large.");
  }
  EXPECT_EQ(read_bytes(dir / "old.sud"), "earlier");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"file", "old.sud"}));
}

}  // namespace
}  // namespace quorlen
