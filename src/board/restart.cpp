#include "board/restart.h"

#include <string>

namespace quorlen {

void restart_to_givens(Board& board, View& view) {
  // The grid's change handler never reads or writes the board, so restoring
  // the board first and then the texts is the same as doing both cell by cell.
  restore_givens(board);
  for (int n = 1; n <= 81; ++n) {
    const int given = board.given_value[n];
    if (given == kNotGiven) {
      view.set_cell_text(n - 1, "");
    } else {
      view.set_cell_colour(n - 1, kGivenColour);
      view.set_cell_text(n - 1, std::to_string(given));
    }
    board.tried_mask[n] = 0;
  }
  board.placed_digit = 0;
  board.attempt_ok = true;
  board.is_valid = true;
  board.is_complete = true;
  board.pass_count = 0;
  board.guess_count = 0;
  board.solvable = true;
}

void restore_givens(Board& board) {
  for (int n = 1; n <= 81; ++n) {
    const int given = board.given_value[n];
    if (given != kNotGiven) {
      board.cell_value[n - 1] = static_cast<std::int16_t>(given);
      board.cand_mask[n] = static_cast<std::int16_t>(digit_mask(given));
    } else {
      board.cand_mask[n] = kAllDigits;
      board.cell_value[n - 1] = kEmptyCell;
    }
  }
}

}  // namespace quorlen
