// What the digits on a grid allow and where they repeat, from the unit
// table alone: the play aids of the window (marks, notes, the finish) rest
// on these, not on the solver's working state.
#pragma once

#include <array>
#include <cstdint>

#include "board/puzzle.h"

namespace quorlen {

// By grid index: the units (bit u for unit u, as in kCellUnits) in which
// another cell shows the same digit; 0 for an empty cell and for a digit
// that repeats nowhere.
using RepeatUnits = std::array<std::uint32_t, 81>;

RepeatUnits repeated_units(const DigitGrid& grid);

// The digits (bit d for digit d, as a candidate mask) that no other cell of
// the row, column and box of grid index `index` shows.
int allowed_digits(const DigitGrid& grid, int index);

// Whether `grid` is a solution of `givens`: each unit holds the digits 1..9
// once each, and each given is in its place.
bool solves(const DigitGrid& givens, const DigitGrid& grid);

}  // namespace quorlen
