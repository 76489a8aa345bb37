// Putting the board back to the frozen givens.
#pragma once

#include "board/board.h"
#include "ui/view.h"

namespace quorlen {

// Restart: the board and the grid back to the givens; clears the record of
// tried guesses, the outcome flags and the counters. Givens are shown in the
// given colour; other cells are emptied and keep their colour.
void restart_to_givens(Board& board, View& view);

// The restore between two attempts of a solve: `cell_value` and `cand_mask`
// back to the givens, nothing else (not the grid, not the counters).
void restore_givens(Board& board);

}  // namespace quorlen
