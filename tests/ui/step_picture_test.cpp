// The step picture: a pointing step drawn on the grid it was found on,
// cell by cell in the window's numbering, and what a screen reader hears.
#include "ui/step_picture.h"

#include <gtest/gtest.h>

#include "board/units.h"
#include "logic/rating.h"

namespace quorlen {
namespace {

const CellPicture& at(const StepPicture& picture, int row, int column) {
  return picture.cells[static_cast<std::size_t>(grid_index(row - 1, column - 1))];
}

TEST(StepPicture, DrawsAPointingStep) {
  const logic::Grid grid = *logic::Grid::from_string(
      "6...53..7.3.7......8.4.92.3.153.......8..53..3....759.8.95.1.3.....3..8.2.3.7...4");
  logic::Workspace work;
  const logic::Step step = *logic::next_step(grid, work);
  ASSERT_EQ(step.technique, logic::Technique::pointing);

  const StepPicture plain = candidates_picture(grid);
  EXPECT_EQ(picture_of(grid, step, false, false), plain);
  EXPECT_EQ(at(plain, 1, 1).digit, 6);
  EXPECT_EQ(at(plain, 1, 2).candidates, grid.candidates(1));  // r1c2, not r2c1
  EXPECT_EQ(at(plain, 2, 1).candidates, grid.candidates(9));

  // The pattern alone: 2 in r7c9 and r8c9 marked, nothing struck yet.
  const StepPicture pattern = picture_of(grid, step, true, false);
  EXPECT_TRUE(at(pattern, 7, 9).marked);
  EXPECT_EQ(at(pattern, 8, 9).pattern, 1u << 2);
  EXPECT_EQ(at(pattern, 4, 9).struck, 0);
  int marked = 0;
  for (const CellPicture& cell : pattern.cells) marked += cell.marked;
  EXPECT_EQ(marked, 2);

  const StepPicture whole = picture_of(grid, step, true, true);
  for (const int row : {4, 5, 6}) EXPECT_EQ(at(whole, row, 9).struck, 1u << 2) << row;
  EXPECT_FALSE(at(whole, 4, 9).marked);
}

TEST(StepPicture, Descriptions) {
  const struct {
    CellPicture cell;
    const char* said;
  } rows[] = {
      {{0, 0b10010010, 0b10000, 0b10000000, 0, true}, "candidates 1 4 7; 4 in the pattern; 7 struck"},
      {{0, 0b101000, 0, 0, 5, false}, "candidates 3 5; places 5"},
      {{0, 0b1100, 0, 0, 0, true}, "candidates 2 3; in the pattern"},
      {{8, 0, 0, 0, 0, true}, "in the pattern"},
      {{8, 0, 0, 0, 0, false}, ""},
  };
  for (const auto& row : rows) EXPECT_EQ(picture_description(row.cell), row.said);
}

}  // namespace
}  // namespace quorlen
