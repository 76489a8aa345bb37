#include "board/board.h"

namespace quorlen {

void reset_solve_state(Board& board) {
  board.tried_mask.fill(0);
  board.is_valid = true;
  board.is_complete = true;
  board.solvable = true;
  board.attempt_ok = true;
  board.pass_count = 0;
  board.guess_count = 0;
}

void clear_board(Board& board) {
  for (int n = 1; n <= 81; ++n) board.given_value[n] = kNotGiven;
  restore_givens(board);
  reset_solve_state(board);
}

void restore_givens(Board& board) {
  for (int n = 1; n <= 81; ++n) {
    const int given = board.given_value[n];
    board.cell_value[n - 1] = static_cast<std::int16_t>(given != kNotGiven ? given : kEmptyCell);
  }
}

}  // namespace quorlen
