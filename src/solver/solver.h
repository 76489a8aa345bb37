// One solve run and everything it calls, over one board and the grid.
//
//   main_function      validate 27 units, rebuild masks, reduction passes
//                      of `possible` until nothing changes, validate again,
//                      `complete` 27 units, and guess when valid but open
//   guess_function     place one untried guess, then a nested main_function
//   write_pos          put a single-digit mask into the board and the grid
//
// A run reports only through the board's flags and `message_text`.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "files/step_log.h"
#include "ui/view.h"

namespace quorlen {

// A mask operand as the set of digits 1..9 it holds. The solver has always
// read operands bit by bit from bit 9 down, subtracting each power of two
// it finds: a negative operand then holds no digit, and one of 1024 or more
// holds all nine (it stays at 2^k or more after every step). In 0..1023 that
// reading is just the bits 1..9.
constexpr int digit_bits(int mask) {
  if (static_cast<unsigned>(mask) < 1024u) return mask & kAllDigits;  // every mask the solver makes
  return mask < 0 ? 0 : kAllDigits;
}

// Common candidates of two masks among bits 1..9.
constexpr int latest_pos(int pos, int num) { return digit_bits(pos) & digit_bits(num); }

class Solver {
 public:
  // `log` receives a record per placed digit while Check2 is ticked; it may
  // be null when nothing is to be logged.
  Solver(Board& board, View& view, StepLog* log) : board_(board), view_(view), log_(log) {}

  void main_function();
  void guess_function();

  // Unit operations; the unit number 1..27 is read, never changed.
  void validate(const int& unit);
  void complete(const int& unit);
  void possible(const int& unit);

  // Places the digit of a single-digit mask in grid index `loc` (0..80),
  // in blue, and logs it; any other mask or index changes nothing.
  void write_pos(int loc, int value);

 private:
  // Narrows a cell's mask within possible() and hands it to write_pos.
  void narrow(int cell, int mask);
  // The single-place rule of possible(), for the digits in `singles` and
  // those that become single places meanwhile.
  void place_single_places(int unit, int singles);
  // unit_mask and allowed_mask for a unit's digits as they stand.
  void set_allowed_masks(int unit);
  // True when every cell is empty or holds 1..9 and no unit repeats a
  // digit: then validate() would pass every unit. Clears *full when it
  // meets an empty cell.
  bool grid_passes_validation(bool* full = nullptr) const;
  void count_passed_validations();

  Board& board_;
  View& view_;
  StepLog* log_;
  // Units whose cells changed since their last call of possible() in the
  // current reduction passes, bit u for unit u; see main_function.
  std::uint32_t units_to_reduce_ = 0;
  // Units with a digit placed in one of their cells since their last call
  // of possible() in the current reduction passes.
  std::uint32_t units_with_new_digit_ = 0;
};

}  // namespace quorlen
