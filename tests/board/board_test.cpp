// Cell and unit numbering, puzzle strings, and the mask arithmetic.
#include "board/board.h"

#include <gtest/gtest.h>

#include <vector>

#include "board/puzzle.h"
#include "board/units.h"

namespace quorlen {
namespace {

TEST(Units, ListsFollowTheFixedPositionOrder) {
  const std::vector<std::vector<int>> lists = {
      {2, 10, 11, 12, 13, 14, 15, 16, 17, 18},  // unit 2: the second column
      {10, 1, 10, 19, 28, 37, 46, 55, 64, 73},  // unit 10: the top row
      {18, 9, 18, 27, 36, 45, 54, 63, 72, 81},  {19, 1, 2, 3, 10, 11, 12, 19, 20, 21},  // box 1, top-left
      {20, 4, 5, 6, 13, 14, 15, 22, 23, 24},                                            // box 2, below it
      {22, 28, 29, 30, 37, 38, 39, 46, 47, 48}, {27, 61, 62, 63, 70, 71, 72, 79, 80, 81},
  };
  for (const auto& list : lists) {
    const auto& cells = kUnitCells[list[0]];
    EXPECT_EQ(std::vector<int>(cells.begin() + 1, cells.end()),
              std::vector<int>(list.begin() + 1, list.end()))
        << "unit " << list[0];
  }
}

TEST(PuzzleString, RowsOnTheScreenColumnsInTheGrid) {
  std::string text(81, '.');
  text[1] = '7';   // row 1, column 2: cell 10, grid index 9
  text[9] = '3';   // row 2, column 1: grid index 1
  text[80] = '0';  // an empty cell, written back as '.'
  const auto grid = parse_puzzle(text);
  ASSERT_TRUE(grid);
  EXPECT_EQ((*grid)[9], 7);
  EXPECT_EQ((*grid)[1], 3);
  text[80] = '.';
  EXPECT_EQ(puzzle_string(*grid), text);
  for (const std::string& bad : {text.substr(1), text + ".", text.substr(1) + "x", text.substr(1) + " "}) {
    EXPECT_FALSE(parse_puzzle(bad)) << bad;
  }
}

TEST(Masks, SingleDigitRecognisesOnlyOneBitOneToNine) {
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(single_digit(digit_mask(d)), d);
  for (int mask : {0, 1, 6, 1022, 1023, 1024, -2}) EXPECT_EQ(single_digit(mask), 0) << mask;
}

}  // namespace
}  // namespace quorlen
