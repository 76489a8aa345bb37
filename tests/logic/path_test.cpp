// The person's solver, step by step against the solution: a placement is
// the solution's digit, an elimination never strikes it, and the path ends
// on a full grid.
#include <gtest/gtest.h>

#include "board/units.h"
#include "logic/rating.h"
#include "solver/complete_search.h"

namespace quorlen::logic {
namespace {

// The solution's digit of a cell numbered as the person's solver numbers them.
int solution_digit(const DigitGrid& solution, int cell) {
  return solution[grid_index(row_of(cell), column_of(cell))];
}

TEST(Path, EveryStepHoldsAgainstTheSolution) {
  const std::string puzzle =
      "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
  const auto grid = Grid::from_string(puzzle);
  ASSERT_TRUE(grid);
  DigitGrid solution{};
  ASSERT_EQ(count_solutions(grid->digits(), &solution), 1);
  Workspace work;
  const Path path = solve_path(*grid, work);
  ASSERT_TRUE(path.rating.complete);
  Grid replay = *grid;
  for (const Step& step : path.steps) {
    for (const Candidate placed : step.placements)
      EXPECT_EQ(placed.digit, solution_digit(solution, placed.cell));
    for (const Candidate struck : step.eliminations)
      EXPECT_NE(struck.digit, solution_digit(solution, struck.cell));
    apply(replay, step);
  }
  EXPECT_EQ(replay.digits(), solution);
  EXPECT_EQ(path.rating.steps, static_cast<int>(path.steps.size()));
}

}  // namespace
}  // namespace quorlen::logic
