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

// stored_digit(given_digit(board, n)), which is 1..9 or kEmptyCell whatever
// given_value holds, written so that the compiler can do many cells at once.
void restore_givens(Board& board) {
  for (int n = 1; n <= 81; ++n) {
    const std::int16_t given = board.given_value[n];
    const bool digit = static_cast<std::uint16_t>(given - 1) < 9;  // 1..9
    board.cell_value[n - 1] = digit ? given : std::int16_t{kEmptyCell};
  }
}

Board posed_board(const DigitGrid& givens) {
  Board board;
  for (int n = 1; n <= 81; ++n) board.given_value[n] = givens[n - 1] != 0 ? givens[n - 1] : kNotGiven;
  restore_givens(board);
  reset_solve_state(board);
  return board;
}

}  // namespace quorlen
