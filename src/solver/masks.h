// What the rules and their speed-ups share: the sets of units, the
// single-place rule's tally, and the units' cells as a compact table.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "board/units.h"

namespace quorlen {

// A set of units, bit u for unit u: all 27, the columns, the rows.
inline constexpr std::uint32_t kAllUnits = 0x0ffffffe;
inline constexpr std::uint32_t kColumnUnits = 0x3fe;  // units 1..9
inline constexpr std::uint32_t kRowUnits = 0x7fc00;   // units 10..18

// The digits a unit lacks, from the sum of its digits' masks: 1022 less
// the sum. With a digit repeated the sum is no set of digits; the
// difference is then read bit by bit as it stands, and a negative one holds
// no digit. The recorded Solve outcomes (tests/data/golden_solves.tsv)
// depend on that reading.
constexpr int open_digits(int digit_sum) { return digit_sum <= kAllDigits ? kAllDigits - digit_sum : 0; }

// What the single-place rule needs to know of a unit's masks (bits 1..9):
//   once:  digits that are a candidate in at least one cell
//   twice: digits that are a candidate in at least two cells
struct Tally {
  int once = 0;
  int twice = 0;

  void add(int mask) {
    twice |= once & mask;
    once |= mask;
  }
  // Digits with one place in the unit, in a cell that has others too:
  // `settled` holds the digits placed in the unit, whose one place is
  // their own cell.
  int singles(int settled) const { return once & ~twice & ~settled; }
};

// The cells of each unit 1..27 in position order, as bytes; unit 28 is
// nine times cell 0, whose mask is 0, to make up a fourth of units 25..27
// where four units are read at once.
inline constexpr auto kUnitCellBytes = [] {
  std::array<std::array<std::uint8_t, 9>, 29> cells{};
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos)
      cells[unit][pos - 1] = static_cast<std::uint8_t>(kUnitCells[unit][pos]);
  }
  return cells;
}();

}  // namespace quorlen
