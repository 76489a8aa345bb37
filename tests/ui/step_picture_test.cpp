// The step picture in the window's numbering (down the columns), and what a
// screen reader hears of a cell of it. (The window draws the hint's steps:
// tests/app/teach_test.cpp.)
#include "ui/step_picture.h"

#include <gtest/gtest.h>

#include "board/units.h"
#include "logic/rating.h"

namespace quorlen {
namespace {

TEST(StepPicture, CellsByGridIndex) {
  const logic::Grid grid = *logic::Grid::from_string(
      "6...53..7.3.7......8.4.92.3.153.......8..53..3....759.8.95.1.3.....3..8.2.3.7...4");
  logic::Workspace work;
  const StepPicture picture = picture_of(grid, *logic::next_step(grid, work), true, false);  // pointing
  EXPECT_EQ(picture.cells[grid_index(0, 1)].candidates, grid.candidates(1));                 // r1c2
  EXPECT_EQ(picture.cells[grid_index(6, 8)].pattern, 1u << 2);                               // r7c9: 2
  EXPECT_EQ(picture.cells[grid_index(3, 8)].struck, 0);                                      // r4c9: not yet
}

TEST(StepPicture, Descriptions) {
  const struct {
    CellPicture cell;
    const char* said;
  } rows[] = {
      {{0, 0b101000, 0, 0, 5, false}, "candidates 3 5; places 5"},
      {{0, 0b1100, 0, 0, 0, true}, "candidates 2 3; in the pattern"},
      {{8, 0, 0, 0, 0, true}, "in the pattern"},
      {{8, 0, 0, 0, 0, false}, ""},
  };
  for (const auto& row : rows) EXPECT_EQ(picture_description(row.cell), row.said);
}

}  // namespace
}  // namespace quorlen
