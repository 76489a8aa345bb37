// The survey: what a run knows of its grid's digits without reading the
// grid again. Taken once when a run starts (survey_of) and kept current by
// add_digit for every digit the run places, it holds for each unit the
// digits in it and the sum of their masks, which units repeat a digit, and
// how many cells are empty.
//
// With it the rules never read cell_value: a unit's digits are `used`, and
// the digits it lacks follow from `digit_sum` (see open_digits).
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "board/units.h"

namespace quorlen {

struct Survey {
  bool repeated = false;              // some unit holds a digit twice
  std::uint32_t repeating_units = 0;  // which: bit u for unit u
  int empty_cells = 0;
  std::array<std::uint16_t, 27> used{};  // the digits of unit u at u - 1, bits 1..9
  std::array<int, 27> digit_sum{};       // the sum of their masks: a repeated digit counts twice

  // The digit of mask `bit` written into the empty cell `cell` (1..81).
  void add_digit(int cell, int bit) {
    --empty_cells;
    for (const int unit : kCellUnitIndexes[cell]) {
      std::uint16_t& digits = used[unit];
      if ((digits & bit) != 0) {
        repeated = true;
        repeating_units |= std::uint32_t{2} << unit;
      }
      digits = static_cast<std::uint16_t>(digits | bit);
      digit_sum[unit] += bit;
    }
  }
};

// The survey of a grid whose every cell holds 1..9 or kEmptyCell.
Survey survey_of(const std::array<std::int16_t, 83>& cell_value);

}  // namespace quorlen
