#include "ui/step_telling.h"

#include <array>

#include "board/board.h"
#include "board/units.h"

namespace quorlen {
namespace {

int bit_of(int digit) { return 1 << digit; }

// The digits of each unit on the grid (by unit number, 1..27), but for
// the cell `except` (1..81): one pass, then a cell's peers are three looks.
std::array<int, 28> unit_digits(const DigitGrid& grid, int except) {
  std::array<int, 28> digits{};
  for (int cell = 1; cell <= 81; ++cell) {
    const int digit = grid[static_cast<std::size_t>(cell - 1)];
    if (digit == 0 || cell == except) continue;
    for (const std::uint8_t unit : kCellUnitIndexes[static_cast<std::size_t>(cell)])
      digits[static_cast<std::size_t>(unit + 1)] |= bit_of(digit);
  }
  return digits;
}

int seen_digits(const std::array<int, 28>& unit_digits, int cell) {
  int digits = 0;
  for (const int unit : row_column_box(cell)) digits |= unit_digits[static_cast<std::size_t>(unit)];
  return digits;
}

// By grid index, the grid indexes of the cell's 20 peers, row by row.
constexpr auto kPeersRowByRow = [] {
  std::array<std::array<std::uint8_t, 20>, 81> peers{};
  for (int cell = 1; cell <= 81; ++cell) {
    std::size_t n = 0;
    for (int row0 = 0; row0 < 9; ++row0) {
      for (int col0 = 0; col0 < 9; ++col0) {
        const int peer = grid_index(row0, col0) + 1;
        if (peer != cell &&
            (kCellUnits[static_cast<std::size_t>(peer)] & kCellUnits[static_cast<std::size_t>(cell)]) != 0)
          peers[static_cast<std::size_t>(cell - 1)][n++] = static_cast<std::uint8_t>(peer - 1);
      }
    }
  }
  return peers;
}();

// The fewest of the cell's units whose digits cover `needed`, the row
// before the column before the box among as few; 0 when all three do not.
std::uint8_t covering_units(const std::array<int, 3>& digits, int needed) {
  static constexpr std::array<std::uint8_t, 7> kChoices = {kNamesRow,
                                                           kNamesColumn,
                                                           kNamesBox,
                                                           kNamesRow | kNamesColumn,
                                                           kNamesRow | kNamesBox,
                                                           kNamesColumn | kNamesBox,
                                                           kNamesRow | kNamesColumn | kNamesBox};
  for (const std::uint8_t choice : kChoices) {
    int covered = 0;
    for (std::size_t u = 0; u < 3; ++u) {
      if (((choice >> u) & 1) != 0) covered |= digits[u];
    }
    if ((covered & needed) == needed) return choice;
  }
  return 0;
}

}  // namespace

namespace {

// tell() with the digits of each unit on `before` but for the placement's
// cell given: tell_steps keeps them as it walks.
Telling tell_with(const DigitGrid& before, const std::array<int, 28>& held, const Placement& p) {
  Telling t;
  const int cell = p.index + 1;
  const int digit = bit_of(p.digit);
  const std::array<int, 3> units = row_column_box(cell);
  std::array<int, 3> digits{};
  for (std::size_t u = 0; u < 3; ++u) digits[u] = held[static_cast<std::size_t>(units[u])];
  if (p.why.reason == Reason::cell) t.units = covering_units(digits, kAllDigits & ~digit);

  for (std::size_t u = 0; u < 3; ++u) {
    if ((digits[u] & digit) == 0) continue;
    t.trouble = Trouble::twice;
    t.where = static_cast<std::uint8_t>(units[u]);
    return t;
  }
  // Only the cell's peers lose a candidate to the digit; the first, row by
  // row, that it leaves with none is named.
  for (const std::uint8_t index : kPeersRowByRow[p.index]) {
    if (before[index] != 0) continue;
    const int seen = seen_digits(held, index + 1);
    if (seen == kAllDigits || (seen | digit) != kAllDigits) continue;
    t.trouble = Trouble::no_digit;
    t.where = index;
    return t;
  }
  return t;
}

}  // namespace

std::array<int, 3> row_column_box(int cell) {
  const auto& index = kCellUnitIndexes[static_cast<std::size_t>(cell)];
  return {index[1] + 1, index[0] + 1, index[2] + 1};
}

Telling tell(const DigitGrid& before, const Placement& p) {
  return tell_with(before, unit_digits(before, p.index + 1), p);
}

std::vector<Telling> tell_steps(const SolveSteps& steps) {
  const std::vector<Placement>& placements = steps.placements;
  std::vector<Telling> told(placements.size());
  DigitGrid grid = steps.start;
  std::array<int, 28> held{};  // the digits of each unit on `grid`
  bool fresh = true;           // held is to be worked out from the grid
  std::size_t run = 0;
  bool guessed = false;           // the run has guessed
  Trouble after = Trouble::none;  // what the steps after its wrong one are
  for (std::size_t k = 0; k < placements.size(); ++k) {
    for (; run < steps.runs.size() && steps.runs[run].first <= k; ++run) {
      if (!steps.runs[run].from_givens) continue;
      grid = steps.givens;
      fresh = true;
      guessed = false;
      after = Trouble::none;
    }
    const Placement& p = placements[k];
    // The solver places only in empty cells; anything else is worked out afresh.
    if (fresh || grid[p.index] != 0) held = unit_digits(grid, p.index + 1);
    told[k] = tell_with(grid, held, p);
    if (after != Trouble::none) {
      told[k].trouble = after;
      told[k].where = 0;
    } else if (went_wrong(told[k])) {
      after = guessed || p.why.reason == Reason::guess ? Trouble::after_guess : Trouble::after_contradiction;
    }
    guessed = guessed || p.why.reason == Reason::guess;
    fresh = grid[p.index] != 0;
    grid[p.index] = p.digit;
    for (const std::uint8_t unit : kCellUnitIndexes[static_cast<std::size_t>(p.index + 1)])
      held[static_cast<std::size_t>(unit + 1)] |= bit_of(p.digit);
  }
  return told;
}

}  // namespace quorlen
