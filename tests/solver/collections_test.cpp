// Every puzzle of the public collections is solved: a complete grid that
// keeps the givens and breaks no rule.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "board/grid_rules.h"
#include "support/scratch_dir.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

class CollectionTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CollectionTest, EveryPuzzleIsSolved) {
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + GetParam());
  ASSERT_TRUE(in) << GetParam();
  testing::ScratchDir dir;
  HeadlessPlatform platform(dir.path);
  Sudoku window(platform);
  int puzzles = 0;
  int by_search = 0;
  for (std::string line; std::getline(in, line);) {
    const auto givens = parse_puzzle(line.substr(0, 81));
    ASSERT_TRUE(givens) << line;
    ++puzzles;
    window.enter_puzzle(*givens);
    window.CmdSolve_Click();
    ASSERT_EQ(platform.messages.back(), "Sudoku Solved") << line;
    const DigitGrid grid = shown_digits(window.view());
    ASSERT_TRUE(solves(*givens, grid)) << line << "\n" << puzzle_string(grid);
    by_search += window.last_solve_by_search() ? 1 : 0;
  }
  EXPECT_GT(puzzles, 0);
  std::printf("%s: %d puzzles, %d solved only by the complete search\n", GetParam(), puzzles, by_search);
}

INSTANTIATE_TEST_SUITE_P(Collections, CollectionTest,
                         ::testing::Values("easy50.txt", "clues25.txt", "clues30.txt", "top95.txt",
                                           "top1465.txt"),
                         [](const auto& param_info) {
                           std::string name = param_info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace quorlen
