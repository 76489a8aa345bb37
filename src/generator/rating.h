// What the Solve command makes of a puzzle, without a window.
#pragma once

#include <cstdint>

#include "board/puzzle.h"
#include "solver/difficulty.h"

namespace quorlen {

struct Rating {
  bool solved = false;  // false only for givens without a solution
  std::int32_t passes = 0;
  std::int32_t guesses = 0;
  std::int32_t difficulty = 0;
  Level level = Level::easy;
};

// The Solve command's attempts on the givens, from the board that New,
// typing the givens and Freeze leave: the passes and guesses it counts and
// the difficulty it shows.
Rating rate_puzzle(const DigitGrid& givens);

}  // namespace quorlen
