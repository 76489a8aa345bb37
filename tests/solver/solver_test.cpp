// What the golden outcomes cannot show: placement outside the grid, and
// which pair of a unit a validation names.
#include "solver/solver.h"

#include <gtest/gtest.h>

#include <vector>

#include "board/units.h"

namespace quorlen {
namespace {

struct SolverTest : ::testing::Test {
  SolverTest() { clear_board(board); }

  // Fills a unit in position order, '.' for an empty cell.
  void fill_unit(int unit, std::string_view digits) {
    for (int pos = 1; pos <= 9; ++pos) {
      set_cell_digit(board, kUnitCells[unit][pos] - 1, digits[pos - 1] == '.' ? 0 : digits[pos - 1] - '0');
    }
  }

  Board board;
  std::vector<Placement> log;
  PlacementSink sink{{}, &log};
  Solver solver{board, sink};
};

// The pair whose first cell comes first in the unit; of three, the first two.
TEST_F(SolverTest, ValidationNamesTheFirstPair) {
  fill_unit(1, ".5.3.53..");
  solver.validate(1);
  EXPECT_EQ(board.repetition, (Repetition{1, 5, 2, 6}));
  fill_unit(14, "8..8....8");
  solver.validate(14);
  EXPECT_EQ(board.repetition, (Repetition{14, 8, 5, 32}));
  EXPECT_FALSE(board.is_valid);
}

TEST_F(SolverTest, WritePosPlacesOnlySingleDigitsInTheGrid) {
  for (int value : {1022, 6, 1, 1024, 0, -2}) solver.write_pos(40, value, {});
  solver.write_pos(-1, 2, {});
  solver.write_pos(81, 2, {});
  EXPECT_EQ(sink.shown[40], 0);
  EXPECT_TRUE(log.empty());
  solver.write_pos(9, 512, {});
  solver.write_pos(9, 512, {});  // written again, logged again
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].index * 10 + log[1].digit, 99);
  EXPECT_EQ(board.cell_value[9], 9);
  EXPECT_EQ(sink.shown[9], 9);
}

}  // namespace
}  // namespace quorlen
