#include "board/grid_rules.h"

#include "board/board.h"
#include "board/units.h"

namespace quorlen {

// Each unit's digits, seen once and seen twice, as bits 0..8 (an empty
// cell's bit shifts out); cells are looked at again only where a unit
// repeats a digit, which a grid being solved seldom does.
RepeatUnits repeated_units(const DigitGrid& grid) {
  std::array<unsigned, 28> twice{};
  unsigned any = 0;
  for (int unit = 1; unit <= 27; ++unit) {
    unsigned seen = 0;
    for (int pos = 1; pos <= 9; ++pos) {
      const unsigned bit = (1u << grid[kUnitCells[unit][pos] - 1]) >> 1;
      twice[unit] |= seen & bit;
      seen |= bit;
    }
    any |= twice[unit];
  }
  RepeatUnits repeats{};
  if (any == 0) return repeats;
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; twice[unit] != 0 && pos <= 9; ++pos) {
      const int index = kUnitCells[unit][pos] - 1;
      if (twice[unit] & ((1u << grid[index]) >> 1)) repeats[index] |= std::uint32_t{1} << unit;
    }
  }
  return repeats;
}

int allowed_digits(const DigitGrid& grid, int index) {
  int shown = 0;
  for (const int unit : kCellUnitIndexes[index + 1]) {
    for (int pos = 1; pos <= 9; ++pos) {
      const int other = kUnitCells[unit + 1][pos] - 1;
      if (other != index) shown |= digit_mask(grid[other]);
    }
  }
  return kAllDigits & ~shown;
}

bool solves(const DigitGrid& givens, const DigitGrid& grid) {
  for (std::size_t i = 0; i < grid.size(); ++i) {
    if (grid[i] < 1 || grid[i] > 9 || (givens[i] != 0 && givens[i] != grid[i])) return false;
  }
  for (int unit = 1; unit <= 27; ++unit) {
    int seen = 0;
    for (int pos = 1; pos <= 9; ++pos) seen |= digit_mask(grid[kUnitCells[unit][pos] - 1]);
    if (seen != kAllDigits) return false;
  }
  return true;
}

}  // namespace quorlen
