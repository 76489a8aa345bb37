// Which guess a stalled run takes: the first (k, u, d), fewest places k
// first, then units 1..27, then digits 1..9, for which digit d has k places
// in unit u and one of them could take d as a guess (d is a candidate
// there, the cell has other candidates too, and d has not been guessed
// there before).
#pragma once

#include <array>
#include <cstdint>

namespace quorlen {

struct GuessChoice {
  int places = 10;  // how many cells of the unit could take the digit
  int unit = 0;     // 0: nothing left to guess
  int digit = 0;
};

// `cand_mask` and `tried_mask` as the board and the solver index them, by
// cell 1..81. Every mask is in 0..1022, and a cell is filled exactly when
// its mask is one digit alone.
GuessChoice choose_guess(const std::array<std::int16_t, 83>& cand_mask,
                         const std::array<std::int16_t, 83>& tried_mask);

}  // namespace quorlen
