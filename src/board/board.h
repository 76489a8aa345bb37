// The board: the one state object that the window owns and every solver step
// reads and writes directly.
//
// Two numberings run through the whole program:
//   * cells 1..81, column by column: cell n sits in screen column (n-1)/9 + 1
//     and screen row (n-1)%9 + 1, so cells 1..9 are the leftmost column;
//   * units 1..27: columns 1..9, rows 10..18, 3x3 boxes 19..27, the boxes
//     numbered down the columns of boxes (19 top-left, 20 middle-left, ...).
//
// `cell_value` is indexed by cell number minus one (like the grid's text
// boxes); the other per-cell arrays by the cell number itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorlen {

// A candidate mask holds bit d (value 2^d) for each digit d still possible.
inline constexpr int kAllDigits = 1022;    // bits 1..9
inline constexpr int kEmptyCell = 1023;    // `cell_value` of an empty cell
inline constexpr int kNotGiven = 1022;     // `given_value` of a non-given cell

constexpr int digit_mask(int digit) { return 1 << digit; }

// The digit d of a mask that is exactly 2^d for d in 1..9, otherwise 0.
constexpr int single_digit(int mask) {
  if (mask < 2 || mask > 512 || (mask & (mask - 1)) != 0) return 0;
  return __builtin_ctz(static_cast<unsigned>(mask));
}

struct Board {
  // Scratch of one unit operation, positions 1..9 used.
  std::array<std::int16_t, 11> unit_values{};
  std::array<std::int16_t, 11> allowed_mask{};

  // Per cell, cells 1..81 used.
  std::array<std::int16_t, 83> cand_mask{};
  std::array<std::int16_t, 83> given_value{};
  std::array<std::int16_t, 83> saved_mask{};

  int unit_mask = 0;
  int validate_unit = 0;
  int reduce_unit = 0;
  int complete_unit = 0;

  bool no_progress = false;
  bool is_valid = false;
  bool is_complete = false;
  int placed_digit = 0;
  int run_state = 0;

  std::array<std::int16_t, 83> tried_mask{};

  // Counters of one solve; 32-bit and saturating so that no command, however
  // long, can wrap them (see saturating_increment).
  std::int32_t pass_count = 0;
  std::int32_t difficulty = 0;
  std::int32_t guess_count = 0;

  bool solvable = false;
  bool attempt_ok = false;
  std::string message_text;

  // Digit in each cell, indexed by cell number minus one; kEmptyCell = empty.
  std::array<std::int16_t, 83> cell_value{};

  int pos_counter = 0;

  bool operator==(const Board&) const = default;
};

inline void saturating_increment(std::int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

}  // namespace quorlen
