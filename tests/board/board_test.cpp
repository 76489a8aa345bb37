// Every cell holds a digit 1..9 or is empty, whatever a caller writes or the
// givens hold: the solver reads the cells without checking them again.
#include "board/board.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorlen {
namespace {

TEST(Board, CellsHoldOnlyDigitsOrEmpty) {
  Board board;
  EXPECT_EQ(std::count(board.cell_value.begin(), board.cell_value.end(), kEmptyCell), 83);
  struct Write {
    int index, digit;
    bool taken;
  };
  for (const Write& w : {Write{0, 5, true},
                         {80, 9, true},
                         {80, 0, true},
                         {7, 1, true},
                         {7, 10, false},
                         {7, -1, false},
                         {7, kEmptyCell, false},
                         {81, 1, false},
                         {-1, 1, false}}) {
    EXPECT_EQ(set_cell_digit(board, w.index, w.digit), w.taken) << w.index << ' ' << w.digit;
  }
  EXPECT_EQ(board.cell_value[0], 5);
  EXPECT_EQ(board.cell_value[80], kEmptyCell);
  EXPECT_EQ(board.cell_value[7], 1);
  EXPECT_EQ(board.cell_value[81], kEmptyCell);

  // A board never cleared has given_value 0 everywhere: no givens at all.
  board.given_value[2] = 7;
  board.given_value[3] = 10;
  board.given_value[4] = -2;
  restore_givens(board);
  for (int i = 0; i < 81; ++i) EXPECT_EQ(board.cell_value[i], i == 1 ? 7 : kEmptyCell) << i;
}

}  // namespace
}  // namespace quorlen
