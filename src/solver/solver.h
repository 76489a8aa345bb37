// One solve run and everything it calls, over the board and the grid.
//
//   main_function      validate 27 units, rebuild masks, reduction passes
//                      of `possible` until nothing changes, validate again,
//                      `complete` 27 units, and guess when valid but open
//   guess_function     place one untried guess, then a nested main_function
//   write_pos          put a single-digit mask into the board and the grid
//
// A run reports through the board's flags (and, for a repeated digit,
// `Board::repetition`); the grid learns of it only through write_pos, which
// shows each placed digit in blue. The candidate masks are the solver's
// own: every run narrows them afresh from the board's digits.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/board.h"
#include "view/view.h"

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

// A digit the solver placed: what one line of the step log records.
struct Placement {
  std::uint8_t index;  // grid index 0..80
  std::uint8_t digit;  // 1..9
};

class Solver {
 public:
  // `log`, when not null, receives every placement in order: the Solve
  // command passes one while "Save to File" is ticked.
  Solver(Board& board, View& view, std::vector<Placement>* log) : board_(board), view_(view), log_(log) {}

  void main_function();
  void guess_function();

  // Unit operations; the unit number 1..27 is read, never changed.
  void validate(const int& unit);
  void possible(const int& unit);

  // Places the digit of a single-digit mask in grid index `loc` (0..80),
  // in blue, and logs it; any other mask or index changes nothing.
  void write_pos(int loc, int value);

  // Whether guess_function has run since this solver was made.
  bool guessed() const { return guessed_; }

  // cells 1..81: the digits still possible in each cell (bit d for digit d).
  std::array<std::int16_t, 83> cand_mask{};
  // True while the reduction pass under way has changed no mask.
  bool no_progress = false;

 private:
  struct Guess {
    int places = 10;  // how many cells of the unit could take the digit
    int unit = 0;     // 0: nothing left to guess
    int digit = 0;
  };

  // What a run knows of its grid without reading it again (see
  // survey_grid); record_digit keeps it current.
  struct Survey {
    bool repeated = false;              // some unit holds a digit twice
    std::uint32_t repeating_units = 0;  // which: bit u for unit u
    int empty_cells = 0;
    std::array<std::uint16_t, 27> used{};  // the digits of unit u at u - 1, bits 1..9
    std::array<int, 27> digit_sum{};       // the sum of their masks: a repeated digit counts twice
  };

  // The reduction of the first run from the givens, for the runs that
  // start from them again (see run).
  struct GivensRun {
    bool recorded = false;
    bool recording = false;
    std::array<std::int16_t, 81> start{};  // cell_value when it started
    Survey start_survey;                   // its survey
    int passes = 0;
    std::vector<Placement> placements;     // every placement of the reduction, in order
    std::array<std::int16_t, 83> masks{};  // cand_mask after it
    Survey survey;                         // and the survey
  };

  void run();
  void survey_grid();
  void record_digit(int cell, int bit);
  void rebuild_masks();
  bool starts_from_givens() const;
  void reduce_or_replay();
  int reduce_until_no_progress();
  void reduce_columns_and_rows_first();
  // Its steps. They hand on the digits each column 1..9 lacks, and what the
  // rows' calls leave to be marked and placed (defined in solver.cpp).
  using ColumnDigits = std::array<int, 10>;
  struct RowsNarrowed;
  ColumnDigits narrow_columns();
  RowsNarrowed narrow_rows_in_lanes(const ColumnDigits& column_open);
  void mark_touched_units(const RowsNarrowed& rows);
  void place_what_the_rows_place(const RowsNarrowed& rows);

  void reduction_pass(int first_unit);
  int unit_singles(int unit) const;
  void check_reduced_grid();

  void narrow(int cell, int mask);
  void place_narrowed(int cell, int bit);
  void place_single_places(int unit, int singles);

  Guess choose_guess() const;
  void place_guess(const Guess& guess);

  Board& board_;
  View& view_;
  std::vector<Placement>* log_;
  bool guessed_ = false;
  // Units whose cells changed since their last call of possible() in the
  // current reduction passes, bit u for unit u; see reduce_until_no_progress.
  std::uint32_t units_to_reduce_ = 0;
  // Units with a digit placed in one of their cells since their last call
  // of possible() in the current reduction passes.
  std::uint32_t units_with_new_digit_ = 0;
  Survey survey_;
  GivensRun givens_run_;
  // The grid the last run from main_function left, and whether survey_
  // describes it.
  std::array<std::int16_t, 81> surveyed_grid_{};
  bool survey_current_ = false;
  // Whether the run under way started from the masks of the run it is
  // nested in (see reduce_columns_and_rows_first).
  bool masks_from_parent_ = false;
};

}  // namespace quorlen
