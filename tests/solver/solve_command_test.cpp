// The Solve button end to end: attempts, outcome texts, captions, counts
// and the step log, through the window logic.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "solver/solve_command.h"
#include "support/test_support.h"

namespace quorlen {
namespace {

using testing::enter_puzzle;
using testing::ScriptedPlatform;
using testing::shown_grid;
using Lines = std::vector<std::string>;

// A solution grid, row by row.
constexpr std::string_view kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

std::string with_holes(std::initializer_list<int> row_major_indexes) {
  std::string grid(kSolution);
  for (int i : row_major_indexes) grid[static_cast<std::size_t>(i)] = '.';
  return grid;
}

class SolveCommandTest : public ::testing::Test {
 protected:
  SolveCommandTest() { std::filesystem::create_directories(dir); }
  ~SolveCommandTest() override { std::filesystem::remove_all(dir); }

  std::string solve(std::string_view puzzle, bool logging = false) {
    enter_puzzle(window, puzzle);
    window.view().Check2 = logging;
    platform.messages.clear();
    window.CmdSolve_Click();
    EXPECT_EQ(platform.messages.size(), 1u);
    return platform.messages.empty() ? std::string() : platform.messages.back();
  }
  Lines log() const { return testing::read_log_lines(dir / "steps.txt"); }

  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("quorlen_solve_" + std::to_string(::getpid()) + "_" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
  ScriptedPlatform platform{dir};
  Sudoku window{platform};
  const Board& board = window.board();
  const View& view = window.view();
};

TEST_F(SolveCommandTest, PuzzlesWithoutGuessing) {
  // A complete grid: one pass that changes nothing.
  EXPECT_EQ(solve(kSolution), "Sudoku Solved");
  EXPECT_EQ(board.pass_count, 1);
  EXPECT_EQ(view.Label1, "Difficulty     : 0 (Easy)");
  EXPECT_EQ(view.Label4, "No");
  EXPECT_FALSE(std::filesystem::exists(dir / "steps.txt"));  // "Save to File" unticked

  // One hole: one pass places the 5, one changes nothing.
  EXPECT_EQ(solve(with_holes({40}), true), "Sudoku Solved");
  EXPECT_EQ(board.pass_count, 2);
  EXPECT_EQ(board.guess_count, 0);
  EXPECT_EQ(log(), Lines{"\" Column 5 row 5  :Value5\""});
  EXPECT_EQ(view.cell(40).colour, kSolverBlue);
  EXPECT_EQ(view.cell(0).colour, kGivenColour);
}

// Rows 1 and 4, columns 4 and 5 hold 6 7 / 7 6: without them the grid has two
// solutions and nothing to deduce, so exactly one guess is needed. The first
// two-place choice is digit 6 in column 4: its upper cell, row 1.
TEST_F(SolveCommandTest, PuzzleWithOneGuess) {
  EXPECT_EQ(solve(with_holes({3, 4, 30, 31}), true), "Sudoku Solved");
  EXPECT_EQ(log(), (Lines{
                       "\" Column 4 row 1  :Value6\"",  // the guess
                       "\" Column 4 row 4  :Value7\"",  // column 4 of the nested run
                       "\" Column 5 row 1  :Value7\"",  // row 1
                       "\" Column 5 row 4  :Value6\"",  // row 4
                   }));
  EXPECT_EQ(board.guess_count, 1);
  EXPECT_EQ(board.pass_count, 4);  // two passes in each run
  EXPECT_EQ(view.Label4, "Yes  1");
  EXPECT_EQ(view.Label1, "Difficulty     : 1 (Medium)");
  EXPECT_EQ(shown_grid(view), kSolution);

  // Solving again adds a pass and rates the accumulated counts.
  platform.messages.clear();
  window.CmdSolve_Click();
  EXPECT_EQ(platform.messages, Lines{"Sudoku Solved"});
  EXPECT_EQ(board.pass_count, 5);
  EXPECT_EQ(view.Label4, "No");
  EXPECT_EQ(view.Label1, "Difficulty     : 2 (Difficult)");
}

TEST_F(SolveCommandTest, RepeatedGivenShowsTheFirstFailingUnitAndKeepsTheGrid) {
  // Column 1 and row 1 both repeat a 4; only column 1 is ever checked.
  std::string puzzle(81, '.');
  puzzle[0] = puzzle[27] = puzzle[5] = '4';
  const std::string text = "   Validation failed for column 1 - The number 4 is getting repeated   1  4";
  EXPECT_EQ(solve(puzzle), text);
  EXPECT_EQ(board.pass_count, 0);
  EXPECT_EQ(shown_grid(view), puzzle);
  EXPECT_EQ(view.Label1, "");

  // Until a board command resets it, every Solve repeats the same text.
  platform.messages.clear();
  window.CmdSolve_Click();
  EXPECT_EQ(platform.messages, Lines{text});
}

// Puzzles with no solution: the attempts fail either way, the complete search
// confirms it, and the givens are restored with every count reset.
TEST_F(SolveCommandTest, NoSolution) {
  const std::pair<const char*, const char*> cases[] = {
      {"5.467891.67219534819834..6285976142.42685379171392.856961537284287419.35.45286.79",
       "The sudoku is not solvable (can't be completed)."},
      {"534678.126.2195.4819.3425678.976142342685379.75.9248.6.61537284287419635345286.79",
       "The sudoku is not solvable"},
  };
  for (const auto& [puzzle, text] : cases) {
    EXPECT_EQ(solve(puzzle), text);
    EXPECT_EQ(shown_grid(view), puzzle);
    EXPECT_EQ(board.pass_count + board.guess_count, 0);
    EXPECT_TRUE(board.solvable && board.attempt_ok && board.is_complete);
    EXPECT_TRUE(std::all_of(board.tried_mask.begin(), board.tried_mask.end(), [](int m) { return m == 0; }));
    EXPECT_EQ(view.Label1, "");
  }
}

// The first guess is wrong: its run ends in a contradiction, the givens are
// restored, and the next run reaches the same position by the same
// placements but must guess elsewhere, the first guess being recorded as tried.
TEST_F(SolveCommandTest, FailedRunIsRetriedFromTheGivens) {
  const std::string puzzle = "......4..1.4829.733..4.....69.....3...39..7.45...83..692.6.......1..7..5...1..9.8";
  EXPECT_EQ(solve(puzzle, true), "Sudoku Solved");
  EXPECT_FALSE(window.last_solve_by_search());
  EXPECT_EQ(view.Label4, "Yes  2");

  // The two guesses: one digit, in two cells.
  std::vector<int> guessed;
  for (int cell = 1; cell <= 81; ++cell) {
    if (board.tried_mask[cell] != 0) guessed.push_back(board.tried_mask[cell]);
  }
  EXPECT_EQ(guessed.size(), 2u);
  EXPECT_EQ(guessed.front(), guessed.back());

  // The second run repeats the first run's placements up to its guess.
  const Lines lines = log();
  ASSERT_GT(lines.size(), static_cast<std::size_t>(std::count(puzzle.begin(), puzzle.end(), '.')));
  const auto rerun = std::search(lines.begin() + 1, lines.end(), lines.begin(), lines.begin() + 5);
  ASSERT_NE(rerun, lines.end());
  const auto prefix = static_cast<std::size_t>(rerun - lines.begin());
  std::size_t same = 0;
  while (same < prefix && lines[same] == lines[prefix + same]) ++same;
  EXPECT_LT(same, prefix) << "the second run guesses differently";
}

// top95 #2: the attempts alone end in failure, yet the puzzle has one
// solution. The complete search finds it and places it cell by cell.
TEST_F(SolveCommandTest, PuzzleTheAttemptsGiveUpOnIsSolvedBySearch) {
  EXPECT_EQ(solve("52...6.........7.13...........4..8..6......5...........418.........3..2...87.....", true),
            "Sudoku Solved");
  EXPECT_TRUE(window.last_solve_by_search());
  EXPECT_TRUE(board.is_valid && board.is_complete && board.solvable && board.attempt_ok);
  // The counts of the failed attempts stand and rate the puzzle.
  EXPECT_GT(board.guess_count, 0);
  EXPECT_EQ(view.Label1, difficulty_caption(board.guess_count + board.pass_count / 5));
  EXPECT_EQ(view.Label4, "Yes  " + std::to_string(board.guess_count));

  // The log ends with every non-given cell in ascending cell number.
  Lines expected;
  for (int index = 0; index < 81; ++index) {
    const bool given = board.given_value[index + 1] != kNotGiven;
    EXPECT_EQ(view.cell(index).colour, given ? kGivenColour : kSolverBlue);
    if (given) continue;
    expected.push_back("\" Column " + std::to_string(index / 9 + 1) + " row " + std::to_string(index % 9 + 1) +
                       "  :Value" + view.cell_text(index) + "\"");
  }
  const Lines lines = log();
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), lines.end() - static_cast<long>(expected.size())));
}

TEST_F(SolveCommandTest, LogFailures) {
  // The folder cannot take the log: the command fails before any attempt.
  ScriptedPlatform nowhere(dir / "missing");
  Sudoku other(nowhere);
  enter_puzzle(other, with_holes({40}));
  other.view().Label1 = "kept";
  other.view().Check2 = true;
  other.CmdSolve_Click();
  EXPECT_EQ(nowhere.messages, Lines{"Unable to write to the file."});
  EXPECT_EQ(other.view().Label4, "No");
  EXPECT_EQ(other.view().Label1, "kept");
  EXPECT_EQ(other.view().cell_text(40), "");

  // Every write fails ("no space left"): reported instead of the outcome...
  std::filesystem::create_symlink("/dev/full", dir / "steps.txt");
  EXPECT_EQ(solve(with_holes({40}), true), "Unable to write to the file.");
  EXPECT_EQ(view.Label1, "");
  // ...and the log was closed: the next Solve logs again.
  std::filesystem::remove(dir / "steps.txt");
  EXPECT_EQ(solve(with_holes({40}), true), "Sudoku Solved");
  EXPECT_EQ(log().size(), 1u);
}

TEST(DifficultyCaption, LevelsBlanksAndLargeCounts) {
  EXPECT_EQ(difficulty_caption(0), "Difficulty     : 0 (Easy)");
  EXPECT_EQ(difficulty_caption(1), "Difficulty     : 1 (Medium)");
  EXPECT_EQ(difficulty_caption(2), "Difficulty     : 2 (Difficult)");
  EXPECT_EQ(difficulty_caption(542), "Difficulty     : 542 (Very Difficult)");

  Board board;
  View view;
  board.guess_count = board.pass_count = INT32_MAX;  // neither wraps nor stops
  EXPECT_EQ(report_outcome(SolveOutcome::solved, board, view), "Sudoku Solved");
  EXPECT_EQ(board.difficulty, INT32_MAX);
  board.guess_count = 1;
  board.pass_count = 12;
  report_outcome(SolveOutcome::solved, board, view);
  EXPECT_EQ(view.Label1, "Difficulty     : 3 (Very Difficult)");
}

}  // namespace
}  // namespace quorlen
