#include "solver/complete_search.h"

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

namespace quorlen {
namespace {

constexpr std::uint16_t kDigits = 1022;

constexpr int row_of(int index) { return index % 9; }
constexpr int col_of(int index) { return index / 9; }
constexpr int box_of(int index) { return (row_of(index) / 3) * 3 + col_of(index) / 3; }

// Number of digits in a mask of bits 1..9, by table: no popcount
// instruction is assumed.
constexpr auto kDigitCount = [] {
  std::array<std::uint8_t, 1024> count{};
  for (unsigned mask = 1; mask < 1024; ++mask)
    count[mask] = static_cast<std::uint8_t>(count[mask & (mask - 1)] + 1);
  return count;
}();

// --- The plain search --------------------------------------------------
//
// Depth-first, always branching on the first empty cell (by grid index)
// with the fewest candidates, digits in ascending order. Which solution of
// a grid with several it finds first is defined by this order, so it
// decides those grids.

// Used digits per row, column and box, as bits 1..9; a cell's candidates are
// the digits none of its three units uses.
struct SearchState {
  DigitGrid cells{};
  std::array<std::uint16_t, 9> rows{};
  std::array<std::uint16_t, 9> cols{};
  std::array<std::uint16_t, 9> boxes{};
};

std::uint16_t candidates(const SearchState& s, int index) {
  return static_cast<std::uint16_t>(
      kDigits & ~(s.rows[row_of(index)] | s.cols[col_of(index)] | s.boxes[box_of(index)]));
}

void set_digit(SearchState& s, int index, int digit) {
  const auto bit = static_cast<std::uint16_t>(1u << digit);
  s.cells[index] = static_cast<std::uint8_t>(digit);
  s.rows[row_of(index)] |= bit;
  s.cols[col_of(index)] |= bit;
  s.boxes[box_of(index)] |= bit;
}

void clear_digit(SearchState& s, int index, int digit) {
  const auto keep = static_cast<std::uint16_t>(~(1u << digit));
  s.cells[index] = 0;
  s.rows[row_of(index)] &= keep;
  s.cols[col_of(index)] &= keep;
  s.boxes[box_of(index)] &= keep;
}

bool search(SearchState& s) {
  int best = -1;
  int best_count = 10;
  std::uint16_t best_mask = 0;
  for (int i = 0; i < 81; ++i) {
    if (s.cells[i] != 0) continue;
    const std::uint16_t mask = candidates(s, i);
    const int count = kDigitCount[mask];
    if (count < best_count) {
      best = i;
      best_count = count;
      best_mask = mask;
      if (count <= 1) break;
    }
  }
  if (best < 0) return true;  // every cell filled
  for (std::uint16_t mask = best_mask; mask != 0; mask &= static_cast<std::uint16_t>(mask - 1)) {
    const int digit = std::countr_zero(mask);
    set_digit(s, best, digit);
    if (search(s)) return true;
    clear_digit(s, best, digit);
  }
  return false;
}

// The plain search with the digits of each branch in a random order.
bool random_search(SearchState& s, std::mt19937_64& random) {
  int best = -1;
  int best_count = 10;
  std::uint16_t best_mask = 0;
  for (int i = 0; i < 81; ++i) {
    if (s.cells[i] != 0) continue;
    const std::uint16_t mask = candidates(s, i);
    const int count = kDigitCount[mask];
    if (count < best_count) {
      best = i;
      best_count = count;
      best_mask = mask;
      if (count <= 1) break;
    }
  }
  if (best < 0) return true;
  std::array<int, 9> digits{};
  int n = 0;
  for (std::uint16_t mask = best_mask; mask != 0; mask &= static_cast<std::uint16_t>(mask - 1))
    digits[n++] = std::countr_zero(mask);
  for (int k = n - 1; k > 0; --k) std::swap(digits[k], digits[random() % static_cast<unsigned>(k + 1)]);
  for (int k = 0; k < n; ++k) {
    set_digit(s, best, digits[k]);
    if (random_search(s, random)) return true;
    clear_digit(s, best, digits[k]);
  }
  return false;
}

// --- Counting solutions, up to two ---------------------------------------
//
// The plain search can take tens of milliseconds on hard grids and to prove
// that a grid has no solution. This one narrows candidates before every
// branch with the rules any solver uses, which cuts the tree to a few
// hundred nodes at most:
//   * a cell with one candidate takes it, and it is struck from the cell's
//     20 peers;
//   * a digit with one place in a unit goes there;
//   * a digit whose places in a box lie in one row (or column) is struck
//     from the rest of that row (column), and one whose places in a row
//     (column) lie in one box is struck from the rest of that box.
// It tells none, one or more solutions apart; which solution it meets
// first follows its own order, so it settles only the grids with one or
// none.

struct UnitTables {
  std::array<std::array<std::uint8_t, 9>, 27>
      members{};  // grid indexes: rows 0..8, columns 9..17, boxes 18..26
  std::array<std::array<std::uint8_t, 3>, 81> units{};   // a cell's row, column and box unit
  std::array<std::uint32_t, 81> unit_bits{};             // the same as a set, bit u for unit u
  std::array<std::array<std::uint8_t, 20>, 81> peers{};  // the other cells of a cell's units
};

constexpr UnitTables make_unit_tables() {
  UnitTables t;
  std::array<int, 27> filled{};
  for (int i = 0; i < 81; ++i) {
    const int units[3] = {row_of(i), 9 + col_of(i), 18 + box_of(i)};
    for (int k = 0; k < 3; ++k) {
      t.units[i][k] = static_cast<std::uint8_t>(units[k]);
      t.unit_bits[i] |= std::uint32_t{1} << units[k];
      t.members[units[k]][filled[units[k]]++] = static_cast<std::uint8_t>(i);
    }
  }
  for (int i = 0; i < 81; ++i) {
    int n = 0;
    for (int j = 0; j < 81; ++j) {
      if (j != i && (row_of(j) == row_of(i) || col_of(j) == col_of(i) || box_of(j) == box_of(i))) {
        t.peers[i][n++] = static_cast<std::uint8_t>(j);
      }
    }
  }
  return t;
}

constexpr UnitTables kTables = make_unit_tables();

constexpr int index_of(int row, int col) { return 9 * col + row; }

struct Candidates {
  std::array<std::uint16_t, 81> mask{};      // bits 1..9
  std::array<std::uint16_t, 27> placed{};    // digits settled in each unit
  int open = 81;                             // cells not settled
  std::uint32_t unchecked = (1u << 27) - 1;  // units changed since their last single-place check
};

// Settles a cell whose mask is one digit: the digit is struck from its
// peers, and every peer left with one digit is settled in turn. False on
// a contradiction.
bool settle(Candidates& c, int cell) {
  std::array<std::uint8_t, 81> pending;
  int count = 0;
  pending[count++] = static_cast<std::uint8_t>(cell);
  while (count > 0) {
    const int i = pending[--count];
    const unsigned digit = c.mask[i];
    const auto& units = kTables.units[i];
    if (((c.placed[units[0]] | c.placed[units[1]] | c.placed[units[2]]) & digit) != 0) return false;
    for (const int u : units) c.placed[u] = static_cast<std::uint16_t>(c.placed[u] | digit);
    --c.open;
    c.unchecked |= kTables.unit_bits[i];
    for (const int peer : kTables.peers[i]) {
      const unsigned mask = c.mask[peer];
      if ((mask & digit) == 0) continue;
      const unsigned left = mask & ~digit;
      c.mask[peer] = static_cast<std::uint16_t>(left);
      c.unchecked |= kTables.unit_bits[peer];
      if (left == 0) return false;
      if ((left & (left - 1)) == 0) pending[count++] = static_cast<std::uint8_t>(peer);
    }
  }
  return true;
}

// Strikes `digits` from a cell; false on a contradiction.
bool strike(Candidates& c, int cell, unsigned digits, bool& changed) {
  const unsigned mask = c.mask[cell];
  if ((mask & digits) == 0) return true;
  const unsigned left = mask & ~digits;
  c.mask[cell] = static_cast<std::uint16_t>(left);
  c.unchecked |= kTables.unit_bits[cell];
  changed = true;
  if (left == 0) return false;
  return (left & (left - 1)) != 0 || settle(c, cell);
}

// Single places in every unit changed since its last check, until there
// are none.
bool place_singles(Candidates& c) {
  while (c.unchecked != 0) {
    const int u = std::countr_zero(c.unchecked);
    c.unchecked &= c.unchecked - 1;
    if (c.placed[u] == kDigits) continue;
    const auto& members = kTables.members[u];
    unsigned once = 0;
    unsigned twice = 0;
    for (const int cell : members) {
      twice |= once & c.mask[cell];
      once |= c.mask[cell];
    }
    if (once != kDigits) return false;  // a digit without a place
    for (unsigned single = once & ~twice & ~c.placed[u]; single != 0; single &= single - 1) {
      const unsigned bit = single & (0u - single);
      if ((c.placed[u] & bit) != 0) continue;  // settled meanwhile
      for (const int cell : members) {
        if ((c.mask[cell] & bit) == 0) continue;
        c.mask[cell] = static_cast<std::uint16_t>(bit);
        if (!settle(c, cell)) return false;
        break;
      }
      // A digit that lost its one place meanwhile marked the unit unchecked.
    }
  }
  return true;
}

// A band: three boxes side by side, and the three rows (or columns) that
// cross them. cells[line][part] are the three cells of `line` inside box
// `part`, a segment.
struct Band {
  std::array<std::array<std::array<std::uint8_t, 3>, 3>, 3> cells{};
  std::array<std::uint8_t, 3> line_units{};
  std::array<std::uint8_t, 3> box_units{};
};

// Bands 0..2 of rows, 3..5 of columns.
constexpr auto kBands = [] {
  std::array<Band, 6> bands{};
  for (int b = 0; b < 6; ++b) {
    const int band = b % 3;
    const bool rows = b < 3;
    for (int line = 0; line < 3; ++line) {
      const int across = 3 * band + line;  // the row, or the column
      bands[b].line_units[line] = static_cast<std::uint8_t>(rows ? across : 9 + across);
      for (int part = 0; part < 3; ++part) {
        bands[b].box_units[part] = static_cast<std::uint8_t>(18 + (rows ? 3 * band + part : 3 * part + band));
        for (int x = 0; x < 3; ++x) {
          const int along = 3 * part + x;
          bands[b].cells[line][part][x] =
              static_cast<std::uint8_t>(rows ? index_of(across, along) : index_of(along, across));
        }
      }
    }
  }
  return bands;
}();

bool strike_segment(Candidates& c, const std::array<std::uint8_t, 3>& cells, unsigned digits, bool& changed) {
  return strike(c, cells[0], digits, changed) && strike(c, cells[1], digits, changed) &&
         strike(c, cells[2], digits, changed);
}

// The box/line rules over one band. Digits already placed in the box or on
// the line are left out: settling struck them from every peer already. The
// segments are read once: a digit confined to one segment stays confined
// while candidates are struck.
bool lock_band(Candidates& c, const Band& band, bool& changed) {
  unsigned segment[3][3];  // digits of each line inside each box
  for (int line = 0; line < 3; ++line) {
    for (int part = 0; part < 3; ++part) {
      const auto& cells = band.cells[line][part];
      segment[line][part] = c.mask[cells[0]] | c.mask[cells[1]] | c.mask[cells[2]];
    }
  }
  constexpr int kNext[3] = {1, 2, 0};
  constexpr int kAfter[3] = {2, 0, 1};
  for (int line = 0; line < 3; ++line) {
    const int l1 = kNext[line], l2 = kAfter[line];
    for (int part = 0; part < 3; ++part) {
      const int p1 = kNext[part], p2 = kAfter[part];
      const unsigned here = segment[line][part];
      // Within the box only on this line: not elsewhere on the line.
      const unsigned pointing =
          here & ~(segment[l1][part] | segment[l2][part]) & ~c.placed[band.box_units[part]];
      // On this line only within the box: not elsewhere in the box.
      const unsigned claiming =
          here & ~(segment[line][p1] | segment[line][p2]) & ~c.placed[band.line_units[line]];
      if (pointing != 0 && (!strike_segment(c, band.cells[line][p1], pointing, changed) ||
                            !strike_segment(c, band.cells[line][p2], pointing, changed))) {
        return false;
      }
      if (claiming != 0 && (!strike_segment(c, band.cells[l1][part], claiming, changed) ||
                            !strike_segment(c, band.cells[l2][part], claiming, changed))) {
        return false;
      }
    }
  }
  return true;
}

bool lock_boxes_and_lines(Candidates& c, bool& changed) {
  for (const Band& band : kBands) {
    if (!lock_band(c, band, changed)) return false;
  }
  return true;
}

// Adds the solutions below `c` to `found`, stopping at two; the first one
// goes to `first`.
void count_solutions(Candidates& c, int& found, DigitGrid& first) {
  for (bool changed = true; changed;) {
    changed = false;
    if (!place_singles(c) || !lock_boxes_and_lines(c, changed)) return;
  }
  if (c.open == 0) {
    if (found++ == 0) {
      for (int i = 0; i < 81; ++i) first[i] = static_cast<std::uint8_t>(std::countr_zero(c.mask[i]));
    }
    return;
  }
  int best = -1;
  int best_count = 10;
  for (int i = 0; i < 81; ++i) {
    const int count = kDigitCount[c.mask[i]];
    if (count > 1 && count < best_count) {
      best = i;
      best_count = count;
      if (count == 2) break;
    }
  }
  for (unsigned mask = c.mask[best]; mask != 0 && found < 2; mask &= mask - 1) {
    Candidates branch = c;
    branch.mask[best] = static_cast<std::uint16_t>(mask & (0u - mask));
    if (settle(branch, best)) count_solutions(branch, found, first);
  }
}

}  // namespace

namespace {

// The givens settled in the counting search's candidates; false when they
// repeat a digit or are out of range, or settling them meets a
// contradiction. `state`, when given, takes them too.
bool settle_givens(const DigitGrid& grid, Candidates& narrowed, SearchState* state) {
  SearchState own;
  SearchState& s = state != nullptr ? *state : own;
  narrowed.mask.fill(kDigits);
  for (int i = 0; i < 81; ++i) {
    const int digit = grid[i];
    if (digit == 0) continue;
    if (digit > 9 || (candidates(s, i) & (1u << digit)) == 0) return false;
    set_digit(s, i, digit);
  }
  // All givens first: settling one never touches another, since none
  // repeats a digit.
  for (int i = 0; i < 81; ++i) {
    if (grid[i] != 0) narrowed.mask[i] = static_cast<std::uint16_t>(1u << grid[i]);
  }
  for (int i = 0; i < 81; ++i) {
    if (grid[i] != 0 && !settle(narrowed, i)) return false;
  }
  return true;
}

}  // namespace

int count_solutions(const DigitGrid& grid, DigitGrid* solution) {
  Candidates narrowed;
  int found = 0;
  DigitGrid first{};
  if (settle_givens(grid, narrowed, nullptr)) count_solutions(narrowed, found, first);
  if (found > 0 && solution != nullptr) *solution = first;
  return found;
}

bool find_solution(const DigitGrid& grid, DigitGrid& solution) {
  SearchState state;
  Candidates narrowed;
  int found = 0;
  DigitGrid only{};
  const bool consistent = settle_givens(grid, narrowed, &state);
  if (consistent) count_solutions(narrowed, found, only);
  if (found == 0) return false;
  if (found == 1) {
    solution = only;
    return true;
  }
  // Several solutions: the plain search picks one.
  if (!search(state)) return false;
  solution = state.cells;
  return true;
}

bool random_solution(const DigitGrid& grid, std::mt19937_64& random, DigitGrid& solution) {
  SearchState state;
  Candidates narrowed;
  if (!settle_givens(grid, narrowed, &state) || !random_search(state, random)) return false;
  solution = state.cells;
  return true;
}

}  // namespace quorlen
