// Every puzzle of the public collections is solved: a complete grid that
// keeps the givens and breaks no rule.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/test_support.h"

namespace quorlen {
namespace {

bool breaks_no_rule(const std::string& grid) {
  for (int unit = 1; unit <= 27; ++unit) {
    int seen = 0;
    for (int pos = 1; pos <= 9; ++pos) {
      const int index = kUnitCells[unit][pos] - 1;
      const char c = grid[static_cast<std::size_t>(9 * (index % 9) + index / 9)];
      if (c < '1' || c > '9') return false;
      seen |= 1 << (c - '0');
    }
    if (seen != kAllDigits) return false;
  }
  return true;
}

class CollectionTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CollectionTest, EveryPuzzleIsSolved) {
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + GetParam());
  ASSERT_TRUE(in) << GetParam();
  testing::ScriptedPlatform platform;
  Sudoku window(platform);
  int puzzles = 0;
  int by_search = 0;
  for (std::string puzzle; std::getline(in, puzzle);) {
    if (puzzle.size() < 81) continue;
    ++puzzles;
    testing::enter_puzzle(window, puzzle);
    platform.messages.clear();
    window.CmdSolve_Click();
    ASSERT_EQ(platform.messages.back(), "Sudoku Solved") << puzzle;
    const std::string grid = testing::shown_grid(window.view());
    ASSERT_TRUE(breaks_no_rule(grid)) << puzzle << "\n" << grid;
    for (std::size_t i = 0; i < 81; ++i) {
      if (puzzle[i] != '.' && puzzle[i] != '0') {
        ASSERT_EQ(grid[i], puzzle[i]) << puzzle;
      }
    }
    by_search += window.last_solve_by_search() ? 1 : 0;
  }
  EXPECT_GT(puzzles, 0);
  RecordProperty("solved_by_complete_search", by_search);
  std::printf("%s: %d puzzles, %d solved only by the complete search\n", GetParam(), puzzles, by_search);
}

INSTANTIATE_TEST_SUITE_P(Collections, CollectionTest,
                         ::testing::Values("easy50.txt", "clues25.txt", "clues30.txt", "top95.txt", "top1465.txt"),
                         [](const auto& param_info) {
                           std::string name = param_info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace quorlen
