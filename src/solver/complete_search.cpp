#include "solver/complete_search.h"

#include <bit>

namespace quorlen {
namespace {

// Used digits per row, column and box, as bits 1..9; a cell's candidates are
// the digits none of its three units uses.
struct SearchState {
  DigitGrid cells{};
  std::array<std::uint16_t, 9> rows{};
  std::array<std::uint16_t, 9> cols{};
  std::array<std::uint16_t, 9> boxes{};
};

constexpr std::uint16_t kDigits = 1022;

constexpr int row_of(int index) { return index % 9; }
constexpr int col_of(int index) { return index / 9; }
constexpr int box_of(int index) { return (row_of(index) / 3) * 3 + col_of(index) / 3; }

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
    const int count = std::popcount(mask);
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

}  // namespace

bool find_solution(const DigitGrid& grid, DigitGrid& solution) {
  SearchState state;
  for (int i = 0; i < 81; ++i) {
    const int digit = grid[i];
    if (digit == 0) continue;
    if (digit > 9 || (candidates(state, i) & (1u << digit)) == 0) return false;
    set_digit(state, i, digit);
  }
  if (!search(state)) return false;
  solution = state.cells;
  return true;
}

}  // namespace quorlen
