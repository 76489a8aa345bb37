// The Solve button end to end: attempts, outcome texts, captions, counts
// and the step log, through the window logic.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "solver/complete_search.h"
#include "solver/solve_command.h"
#include "support/test_support.h"

namespace quorlen {
namespace {

using testing::enter_puzzle;
using testing::ScriptedPlatform;
using testing::shown_grid;

// A solution grid, row by row.
constexpr std::string_view kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

std::string with_holes(std::string grid, std::initializer_list<int> row_major_indexes) {
  for (int i : row_major_indexes) grid[static_cast<std::size_t>(i)] = '.';
  return grid;
}

class SolveCommandTest : public ::testing::Test {
 protected:
  SolveCommandTest() {
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "steps.txt");
  }
  ~SolveCommandTest() override { std::filesystem::remove_all(dir); }

  std::string solve(std::string_view puzzle, bool logging = false) {
    enter_puzzle(window, puzzle);
    window.view().Check2 = logging;
    platform.messages.clear();
    window.CmdSolve_Click();
    EXPECT_EQ(platform.messages.size(), 1u);
    return platform.messages.empty() ? std::string() : platform.messages.back();
  }

  std::vector<std::string> log_lines() const {
    std::ifstream in(dir / "steps.txt", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find("\r\n", at);
      EXPECT_NE(end, std::string::npos) << "every record ends with CR LF";
      if (end == std::string::npos) break;
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  const Board& board() const { return window.board(); }
  const View& view() const { return window.view(); }

  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("quorlen_solve_" + std::to_string(::getpid()) + "_" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
  ScriptedPlatform platform{dir};
  Sudoku window{platform};
};

TEST_F(SolveCommandTest, CompleteGridTakesOnePassAndIsEasy) {
  EXPECT_EQ(solve(kSolution), "Sudoku Solved");
  EXPECT_EQ(board().pass_count, 1);
  EXPECT_EQ(board().guess_count, 0);
  EXPECT_EQ(view().Label1, "Difficulty     : 0 (Easy)");
  EXPECT_EQ(view().Label4, "No");
}

TEST_F(SolveCommandTest, PuzzleWithoutGuessLogsEachPlacement) {
  EXPECT_EQ(solve(with_holes(std::string(kSolution), {40}), true), "Sudoku Solved");
  EXPECT_EQ(board().pass_count, 2);  // one pass places the 5, one changes nothing
  EXPECT_EQ(view().Label1, "Difficulty     : 0 (Easy)");
  EXPECT_EQ(view().Label4, "No");
  EXPECT_EQ(log_lines(), std::vector<std::string>{"\" Column 5 row 5  :Value5\""});
  EXPECT_EQ(view().cell(40).colour, kSolverBlue);
  EXPECT_EQ(view().cell(0).colour, kGivenColour);
}

// Rows 1 and 4, columns 4 and 5 hold 6 7 / 7 6: without them the grid has two
// solutions and nothing to deduce, so exactly one guess is needed. The first
// two-place choice is digit 6 in column 4: its upper cell, row 1.
TEST_F(SolveCommandTest, PuzzleWithOneGuess) {
  EXPECT_EQ(solve(with_holes(std::string(kSolution), {3, 4, 30, 31}), true), "Sudoku Solved");
  EXPECT_EQ(log_lines(), (std::vector<std::string>{
                             "\" Column 4 row 1  :Value6\"",  // the guess
                             "\" Column 4 row 4  :Value7\"",  // column 4 of the nested run
                             "\" Column 5 row 1  :Value7\"",  // row 1
                             "\" Column 5 row 4  :Value6\"",  // row 4
                         }));
  EXPECT_EQ(board().guess_count, 1);
  EXPECT_EQ(board().pass_count, 4);  // two passes in each run
  EXPECT_EQ(view().Label4, "Yes  1");
  EXPECT_EQ(view().Label1, "Difficulty     : 1 (Medium)");
  EXPECT_EQ(shown_grid(view()), kSolution);
}

TEST_F(SolveCommandTest, SecondSolveAddsAPassAndRatesTheAccumulatedCounts) {
  solve(with_holes(std::string(kSolution), {3, 4, 30, 31}));
  platform.messages.clear();
  window.CmdSolve_Click();
  EXPECT_EQ(platform.messages, std::vector<std::string>{"Sudoku Solved"});
  EXPECT_EQ(board().pass_count, 5);
  EXPECT_EQ(board().guess_count, 1);
  EXPECT_EQ(view().Label4, "No");
  EXPECT_EQ(view().Label1, "Difficulty     : 2 (Difficult)");
}

TEST_F(SolveCommandTest, RepeatedGivenShowsTheFirstFailingUnitAndKeepsTheGrid) {
  // Column 1 and row 1 both repeat a digit; only column 1 is ever checked.
  std::string puzzle(81, '.');
  puzzle[0] = '4';
  puzzle[27] = '4';  // row 4, column 1
  puzzle[5] = '4';   // row 1, column 6
  EXPECT_EQ(solve(puzzle), "   Validation failed for column 1 - The number 4 is getting repeated   1  4");
  EXPECT_EQ(board().pass_count, 0);
  EXPECT_FALSE(board().attempt_ok);
  EXPECT_EQ(shown_grid(view()), puzzle);
  EXPECT_EQ(view().Label1, "");

  // Until a board command resets it, every Solve repeats the same text.
  platform.messages.clear();
  window.CmdSolve_Click();
  EXPECT_EQ(platform.messages.back(), "   Validation failed for column 1 - The number 4 is getting repeated   1  4");
}

// Guessing runs out of digits: the attempts alone report "can't be
// completed", and the complete search confirms there is no solution.
TEST_F(SolveCommandTest, NoSolutionThatCannotBeCompleted) {
  const std::string puzzle = "5.467891.67219534819834..6285976142.42685379171392.856961537284287419.35.45286.79";
  EXPECT_EQ(solve(puzzle), "The sudoku is not solvable (can't be completed).");
  EXPECT_EQ(shown_grid(view()), puzzle);  // restored to the givens
  EXPECT_EQ(board().pass_count, 0);
  EXPECT_EQ(board().guess_count, 0);
  EXPECT_TRUE(board().solvable && board().attempt_ok && board().is_complete);
  for (int cell = 1; cell <= 81; ++cell) EXPECT_EQ(board().tried_mask[cell], 0);
  EXPECT_EQ(view().Label1, "");
}

TEST_F(SolveCommandTest, NoSolutionEndingInAContradiction) {
  const std::string puzzle = "534678.126.2195.4819.3425678.976142342685379.75.9248.6.61537284287419635345286.79";
  EXPECT_EQ(solve(puzzle), "The sudoku is not solvable");
  EXPECT_EQ(shown_grid(view()), puzzle);
  EXPECT_EQ(board().guess_count, 0);
  EXPECT_FALSE(window.last_solve_by_search());
}

// The first guess is wrong: its run ends in a contradiction, the givens are
// restored, and the next run reaches the same position by the same
// placements but must guess elsewhere, because the first guess is recorded
// as tried.
TEST_F(SolveCommandTest, FailedRunIsRetriedFromTheGivens) {
  const std::string puzzle = "......4..1.4829.733..4.....69.....3...39..7.45...83..692.6.......1..7..5...1..9.8";
  EXPECT_EQ(solve(puzzle, true), "Sudoku Solved");
  EXPECT_FALSE(window.last_solve_by_search());
  EXPECT_EQ(board().guess_count, 2);
  EXPECT_EQ(view().Label4, "Yes  2");

  // The two guesses: one digit, two cells of one unit.
  std::vector<int> guessed_cells;
  for (int cell = 1; cell <= 81; ++cell) {
    if (board().tried_mask[cell] != 0) guessed_cells.push_back(cell);
  }
  ASSERT_EQ(guessed_cells.size(), 2u);
  EXPECT_EQ(board().tried_mask[guessed_cells[0]], board().tried_mask[guessed_cells[1]]);

  // The placements before the first guess are made again, in the same order,
  // after the failure.
  const auto lines = log_lines();
  const int empties = static_cast<int>(std::count(puzzle.begin(), puzzle.end(), '.'));
  ASSERT_GT(static_cast<int>(lines.size()), empties);
  const auto rerun = std::search(lines.begin() + 1, lines.end(), lines.begin(), lines.begin() + 5);
  ASSERT_NE(rerun, lines.end());
  const auto prefix = static_cast<std::size_t>(rerun - lines.begin());
  std::size_t same = 0;
  while (same < prefix && lines[same] == lines[prefix + same]) ++same;
  EXPECT_NE(lines[same], lines[prefix + same]) << "the second run guesses differently";

  DigitGrid givens{}, solution{};
  for (int i = 0; i < 81; ++i) {
    if (puzzle[static_cast<std::size_t>(i)] != '.') givens[grid_index(i / 9, i % 9)] = static_cast<std::uint8_t>(puzzle[static_cast<std::size_t>(i)] - '0');
  }
  ASSERT_TRUE(find_solution(givens, solution));
  for (int i = 0; i < 81; ++i) EXPECT_EQ(view().cell_text(i), std::string(1, static_cast<char>('0' + solution[i])));
}

// top95 #2: the attempts alone end in failure, yet the puzzle has one
// solution. The complete search finds it and places it cell by cell.
TEST_F(SolveCommandTest, PuzzleTheAttemptsGiveUpOnIsSolvedBySearch) {
  const std::string puzzle = "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....";
  EXPECT_EQ(solve(puzzle, true), "Sudoku Solved");
  EXPECT_TRUE(window.last_solve_by_search());
  EXPECT_TRUE(board().is_valid && board().is_complete && board().solvable && board().attempt_ok);

  // The counts of the failed attempts stand and rate the puzzle.
  EXPECT_GT(board().guess_count, 0);
  EXPECT_EQ(view().Label1, difficulty_caption(board().guess_count + board().pass_count / 5));
  EXPECT_EQ(view().Label4, "Yes  " + std::to_string(board().guess_count));

  // The log ends with every non-given cell in ascending cell number.
  const auto lines = log_lines();
  std::vector<std::string> expected;
  for (int index = 0; index < 81; ++index) {
    if (board().given_value[index + 1] != kNotGiven) {
      EXPECT_EQ(view().cell(index).colour, kGivenColour);
      continue;
    }
    EXPECT_EQ(view().cell(index).colour, kSolverBlue);
    expected.push_back("\" Column " + std::to_string(index / 9 + 1) + " row " + std::to_string(index % 9 + 1) +
                       "  :Value" + view().cell_text(index) + "\"");
  }
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), lines.end() - static_cast<long>(expected.size())));
}

TEST_F(SolveCommandTest, UnwritableLogFailsBeforeAnyAttempt) {
  ScriptedPlatform nowhere(dir / "missing" / "folder");
  Sudoku other(nowhere);
  enter_puzzle(other, with_holes(std::string(kSolution), {40}));
  other.view().Label1 = "kept";
  other.view().Check2 = true;
  other.CmdSolve_Click();
  EXPECT_EQ(nowhere.messages, std::vector<std::string>{"Unable to write to the file."});
  EXPECT_EQ(other.view().Label4, "No");
  EXPECT_EQ(other.view().Label1, "kept");
  EXPECT_EQ(other.board().pass_count, 0);
  EXPECT_EQ(other.view().cell_text(40), "");
}

TEST_F(SolveCommandTest, LogThatFailsToWriteIsReportedAndClosed) {
  // Every write to /dev/full fails with "no space left".
  std::filesystem::create_symlink("/dev/full", dir / "steps.txt");
  EXPECT_EQ(solve(with_holes(std::string(kSolution), {40}), true), "Unable to write to the file.");
  EXPECT_EQ(view().Label1, "");

  // The failed log was closed: the next Solve logs again.
  std::filesystem::remove(dir / "steps.txt");
  EXPECT_EQ(solve(with_holes(std::string(kSolution), {40}), true), "Sudoku Solved");
  EXPECT_EQ(log_lines().size(), 1u);
}

TEST_F(SolveCommandTest, UntickedSaveToFileLeavesTheLogAlone) {
  solve(with_holes(std::string(kSolution), {40}));
  EXPECT_FALSE(std::filesystem::exists(dir / "steps.txt"));
}

TEST(DifficultyCaption, LevelsAndBlanks) {
  EXPECT_EQ(difficulty_caption(0), "Difficulty     : 0 (Easy)");
  EXPECT_EQ(difficulty_caption(1), "Difficulty     : 1 (Medium)");
  EXPECT_EQ(difficulty_caption(2), "Difficulty     : 2 (Difficult)");
  EXPECT_EQ(difficulty_caption(3), "Difficulty     : 3 (Very Difficult)");
  EXPECT_EQ(difficulty_caption(542), "Difficulty     : 542 (Very Difficult)");
}

TEST(DifficultyCaption, LargeCountsNeitherWrapNorStop) {
  Board board;
  View view;
  board.guess_count = INT32_MAX;
  board.pass_count = INT32_MAX;
  EXPECT_EQ(report_outcome(SolveOutcome::solved, board, view), "Sudoku Solved");
  EXPECT_EQ(board.difficulty, INT32_MAX);
  board.guess_count = 1;
  board.pass_count = 12;
  report_outcome(SolveOutcome::solved, board, view);
  EXPECT_EQ(view.Label1, "Difficulty     : 3 (Very Difficult)");
}

}  // namespace
}  // namespace quorlen
