// Puzzles made unsolvable on purpose, for tests and benchmarks of the
// failing paths of the Solve command.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "board/puzzle.h"
#include "board/units.h"
#include "solver/complete_search.h"

namespace quorlen::variants {

// Which units (0 column, 1 row, 2 box) of the row-major cell i hold digit d.
inline std::array<bool, 3> units_holding(const std::string& puzzle, int i, char d) {
  const int row = i / 9, col = i % 9;
  std::array<bool, 3> held{};
  for (int j = 0; j < 81; ++j) {
    if (puzzle[static_cast<std::size_t>(j)] != d) continue;
    if (j % 9 == col) held[0] = true;
    if (j / 9 == row) held[1] = true;
    if (j / 27 == row / 3 && (j % 9) / 3 == col / 3) held[2] = true;
  }
  return held;
}

// The puzzle with one more given, in the first empty cell (row by row) and
// with the smallest digit that differs from the solution's and repeats no
// digit: a puzzle with one solution then has none. Nothing when the puzzle
// has no solution to begin with.
inline std::optional<std::string> with_wrong_given(const std::string& puzzle) {
  DigitGrid solution{};
  const auto grid = parse_puzzle(puzzle);
  if (!grid || !find_solution(*grid, solution)) return std::nullopt;
  for (int i = 0; i < 81; ++i) {
    const char c = puzzle[static_cast<std::size_t>(i)];
    if (c >= '1' && c <= '9') continue;
    for (char d = '1'; d <= '9'; ++d) {
      if (d - '0' == solution[grid_index(i / 9, i % 9)]) continue;
      const auto held = units_holding(puzzle, i, d);
      if (held[0] || held[1] || held[2]) continue;
      std::string broken = puzzle;
      broken[static_cast<std::size_t>(i)] = d;
      return broken;
    }
  }
  return std::nullopt;
}

// The puzzle with one more given that repeats a digit in a unit of `kind`
// (0 column, 1 row, 2 box) and in none of a kind validated before it: the
// first empty cell (row by row) and smallest digit that do so.
inline std::optional<std::string> with_repeat(const std::string& puzzle, int kind) {
  for (int i = 0; i < 81; ++i) {
    const char c = puzzle[static_cast<std::size_t>(i)];
    if (c >= '1' && c <= '9') continue;
    for (char d = '1'; d <= '9'; ++d) {
      const auto held = units_holding(puzzle, i, d);
      bool earlier = false;
      for (int k = 0; k < kind; ++k) earlier |= held[static_cast<std::size_t>(k)];
      if (!held[static_cast<std::size_t>(kind)] || earlier) continue;
      std::string broken = puzzle;
      broken[static_cast<std::size_t>(i)] = d;
      return broken;
    }
  }
  return std::nullopt;
}

}  // namespace quorlen::variants
