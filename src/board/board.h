// The board: what the window knows of its puzzle from one command to the
// next. The window owns one; the handlers and the solver read and write its
// fields directly.
//
// Two numberings run through the whole program (see units.h):
//   * cells 1..81, column by column: cell n sits in screen column (n-1)/9 + 1
//     and screen row (n-1)%9 + 1, so cells 1..9 are the leftmost column;
//   * units 1..27: columns 1..9, rows 10..18, 3x3 boxes 19..27.
//
// `cell_value` is indexed by cell number minus one, like the grid's text
// boxes (0..80 used); the other per-cell arrays by the cell number itself
// (1..81 used). Every per-cell array has room for indexes 0..82, as it
// always had. The candidate masks are the solver's own working state (see
// Solver).
#pragma once

#include <array>
#include <cstdint>

#include "board/puzzle.h"

namespace quorlen {

// A candidate mask holds bit d (value 2^d) for each digit d still possible.
inline constexpr int kAllDigits = 1022;  // bits 1..9
inline constexpr int kEmptyCell = 1023;  // `cell_value` of an empty cell
inline constexpr int kNotGiven = 1022;   // `given_value` of a cell that is not a given

constexpr int digit_mask(int digit) { return 1 << digit; }

// The digit d of a mask that is exactly 2^d for d in 1..9, otherwise 0.
constexpr int single_digit(int mask) {
  if (mask < 2 || mask > 512 || (mask & (mask - 1)) != 0) return 0;
  return __builtin_ctz(static_cast<unsigned>(mask));
}

// A digit that a validation found twice in one unit: the first such pair in
// the unit's position order, by cell number (1..81).
struct Repetition {
  int unit = 0;  // 1..27; 0 when no validation has failed yet
  int digit = 0;
  int first_cell = 0;
  int second_cell = 0;
  friend bool operator==(const Repetition&, const Repetition&) = default;
};

struct Board {
  std::array<std::int16_t, 83> given_value{};  // cells 1..81: the frozen given digit, or kNotGiven
  std::array<std::int16_t, 83> tried_mask{};   // cells 1..81: digits guessed there in this Solve (bit d)
  // Index n-1 for cell n: its digit, or kEmptyCell; every cell starts empty
  // and is written only through set_cell_digit and restore_givens.
  std::array<std::int16_t, 83> cell_value = [] {
    std::array<std::int16_t, 83> cells{};
    cells.fill(kEmptyCell);
    return cells;
  }();

  // Outcome flags of the last solve run; the Solve command reads them after
  // its attempts, and a failed validation of the starting grid (attempt_ok
  // false) keeps every later Solve from running until a board command.
  bool is_valid = false;     // false once a validation found a digit repeated in a unit
  bool is_complete = false;  // false once a completion check found a unit without all of 1..9
  bool solvable = false;     // false when the last run found a repeated digit after its reduction
  bool attempt_ok = false;   // false when the last run's starting grid repeated a digit

  // Counters since the last board command; 32-bit and saturating, so that
  // no Solve, however long, can wrap them (see saturating_increment).
  std::int32_t pass_count = 0;   // reduction passes; they rate the difficulty
  std::int32_t guess_count = 0;  // calls of guessing; they rate it too and show as "Guessed?"
  std::int32_t difficulty = 0;   // the level of the last puzzle solved

  Repetition repetition;  // what the last validation that failed found

  bool operator==(const Board&) const = default;
};

inline void saturating_increment(std::int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

// The given digit of cell `cell` (1..81), or 0 when the cell is not a given.
constexpr int given_digit(const Board& board, int cell) {
  const int given = board.given_value[cell];
  return given >= 1 && given <= 9 ? given : 0;
}

// What `cell_value` holds for a digit 1..9, or for 0 (an empty cell).
constexpr int stored_digit(int digit) { return digit != 0 ? digit : kEmptyCell; }

// A digit 1..9, or 0 to empty the cell, into the cell at grid index `index`
// (0..80). The solver relies on every cell holding 1..9 or kEmptyCell, so
// anything else (a digit outside 0..9, an index outside the grid) changes
// nothing and returns false.
constexpr bool set_cell_digit(Board& board, int index, int digit) {
  if (index < 0 || index > 80 || digit < 0 || digit > 9) return false;
  board.cell_value[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(stored_digit(digit));
  return true;
}

// What every board command (window load, New, Load, Restart) clears: the
// record of tried guesses, the outcome flags and the counters.
void reset_solve_state(Board& board);

// An empty board without givens, as the window load, New and Load leave it.
void clear_board(Board& board);

// `cell_value` back to the givens: what Restart does to the digits, and the
// Solve command between two attempts.
void restore_givens(Board& board);

// A board with these givens (by grid index, 0 for none) and nothing else,
// ready for the Solve command, as Freeze leaves it.
Board posed_board(const DigitGrid& givens);

}  // namespace quorlen
