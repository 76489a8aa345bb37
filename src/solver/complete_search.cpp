#include "solver/complete_search.h"

#include <bit>

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
  for (unsigned mask = 1; mask < 1024; ++mask) count[mask] = static_cast<std::uint8_t>(count[mask & (mask - 1)] + 1);
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
  return static_cast<std::uint16_t>(kDigits & ~(s.rows[row_of(index)] | s.cols[col_of(index)] | s.boxes[box_of(index)]));
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

// --- Counting solutions, up to two ---------------------------------------
//
// The plain search can take tens of milliseconds on hard grids and to prove
// that a grid has no solution. This one narrows candidates before every
// branch, with the two rules any solver uses (a cell with one candidate
// takes it and strikes it from its 20 peers; a digit with one place in a
// unit goes there), which cuts the tree to a few hundred nodes at most. It
// tells none, one or more solutions apart; which solution it meets first
// follows its own order, so it settles only the grids with one or none.

struct UnitTables {
  std::array<std::array<std::uint8_t, 9>, 27> members{};  // grid indexes of each unit
  std::array<std::array<std::uint8_t, 20>, 81> peers{};   // the other cells of a cell's units
};

constexpr UnitTables make_unit_tables() {
  UnitTables t;
  std::array<int, 27> filled{};
  for (int i = 0; i < 81; ++i) {
    const int units[3] = {row_of(i), 9 + col_of(i), 18 + box_of(i)};
    for (int u : units) t.members[u][filled[u]++] = static_cast<std::uint8_t>(i);
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

struct Candidates {
  std::array<std::uint16_t, 81> mask{};  // bits 1..9
  std::array<bool, 81> settled{};        // struck from the peers already
  int open = 81;                         // cells not settled
};

// Applies both rules until neither changes anything; false on a
// contradiction (a cell without candidates, a digit without a place).
bool narrow(Candidates& c) {
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = 0; i < 81; ++i) {
      const unsigned mask = c.mask[i];
      if (c.settled[i] || (mask & (mask - 1)) != 0) continue;
      if (mask == 0) return false;
      c.settled[i] = true;
      --c.open;
      changed = true;
      for (const int peer : kTables.peers[i]) {
        if ((c.mask[peer] & mask) == 0) continue;
        c.mask[peer] = static_cast<std::uint16_t>(c.mask[peer] & ~mask);
        if (c.mask[peer] == 0) return false;
      }
    }
    for (const auto& members : kTables.members) {
      unsigned once = 0;
      unsigned twice = 0;
      for (const int cell : members) {
        twice |= once & c.mask[cell];
        once |= c.mask[cell];
      }
      if (once != kDigits) return false;
      for (unsigned single = once & ~twice; single != 0; single &= single - 1) {
        const unsigned bit = single & (0u - single);
        for (const int cell : members) {
          if ((c.mask[cell] & bit) == 0) continue;
          if (c.mask[cell] != bit) {
            c.mask[cell] = static_cast<std::uint16_t>(bit);
            changed = true;
          }
          break;
        }
      }
    }
  }
  return true;
}

// Adds the solutions below `c` to `found`, stopping at two; the first one
// goes to `first`.
void count_solutions(Candidates c, int& found, DigitGrid& first) {
  if (!narrow(c)) return;
  if (c.open == 0) {
    if (found++ == 0) {
      for (int i = 0; i < 81; ++i) first[i] = static_cast<std::uint8_t>(std::countr_zero(c.mask[i]));
    }
    return;
  }
  int best = -1;
  int best_count = 10;
  for (int i = 0; i < 81; ++i) {
    if (c.settled[i]) continue;
    const int count = kDigitCount[c.mask[i]];
    if (count < best_count) {
      best = i;
      best_count = count;
      if (count == 2) break;
    }
  }
  for (unsigned mask = c.mask[best]; mask != 0 && found < 2; mask &= mask - 1) {
    Candidates branch = c;
    branch.mask[best] = static_cast<std::uint16_t>(mask & (0u - mask));
    count_solutions(branch, found, first);
  }
}

}  // namespace

bool find_solution(const DigitGrid& grid, DigitGrid& solution) {
  SearchState state;
  Candidates narrowed;
  narrowed.mask.fill(kDigits);
  for (int i = 0; i < 81; ++i) {
    const int digit = grid[i];
    if (digit == 0) continue;
    if (digit > 9 || (candidates(state, i) & (1u << digit)) == 0) return false;
    set_digit(state, i, digit);
    narrowed.mask[i] = static_cast<std::uint16_t>(1u << digit);
  }

  int found = 0;
  DigitGrid only{};
  count_solutions(narrowed, found, only);
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

}  // namespace quorlen
