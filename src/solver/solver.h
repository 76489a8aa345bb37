// One solve run and everything it calls, over the board and the grid.
//
//   main_function   validate the 27 units and stop at the first that
//                   repeats a digit; rebuild the masks from the digits; run
//                   reduction passes of `possible` over the 27 units until
//                   a pass changes no mask; validate again; and, when the
//                   grid is valid but not complete, guess
//   possible        the two rules on one unit: strike the digits the unit
//                   holds from its empty cells, and give a digit that has
//                   one place left in the unit to that cell
//   guess_function  place one untried guess, then run again, nested
//   write_pos       put a single-digit mask into the board and the grid: the
//                   one way a digit gets there, and so the one place where
//                   the grid, the step log and the replay's record see it
//
// A run reports through the board's flags (and, for a repeated digit,
// `Board::repetition`); what it places goes to the placement sink through
// write_pos, for the layer above to show each digit in blue.
//
// The files, in reading order: solver.cpp holds the rules as above;
// survey.h, first_pass.cpp, replay.cpp and guess_choice.cpp each hold one
// speed-up, which gives the same results as the rule it stands in for.
// What they all rely on, the solver's invariant:
//
//   every cell holds 1..9 or is empty (see set_cell_digit), and from the
//   rebuild of the masks on, a cell's mask is its digit alone exactly when
//   the cell is filled; an empty cell's mask is a set of two or more
//   digits, or none.
//
// It holds because only empty cells are narrowed, and a cell narrowed to a
// single digit gets it through write_pos at once.
//
// Every placement carries the rule that made it and that rule's unit (see
// placement.h). The speed-ups place what the rules would place, so they
// give each placement the reason the rules would give: the first pass's
// columns and rows place as possible() on each would, the replay hands on
// the reasons it recorded. The plain path of plain_solver.h, the rules
// alone, is the check that they do.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/board.h"
#include "solver/guess_choice.h"
#include "solver/placement.h"
#include "solver/survey.h"

namespace quorlen {

class Solver {
 public:
  // `sink` receives every placement: its log, when there is one, in order
  // (the Solve command keeps one while "Save to File" is ticked).
  Solver(Board& board, PlacementSink& sink) : board_(board), sink_(sink) {}

  void main_function();
  void guess_function();

  // Unit operations; the unit number 1..27 is read, never changed.
  void validate(const int& unit);
  void possible(const int& unit);

  // Places the digit of a single-digit mask in grid index `loc` (0..80)
  // and reports it to the sink with its reason; any other mask or index
  // changes nothing.
  void write_pos(int loc, int value, Why why);

  // Whether guess_function has run since this solver was made.
  bool guessed() const { return guessed_; }

 private:
  // The reduction of the first run from the givens, for the runs that
  // start from them again (see replay.cpp).
  struct GivensRun {
    bool recorded = false;
    bool recording = false;
    std::array<std::int16_t, 81> start{};  // cell_value when it started
    Survey start_survey;                   // its survey
    int passes = 0;
    std::vector<Placement> placements;     // every placement of the reduction, in order
    std::array<std::int16_t, 83> masks{};  // cand_mask after it
    Survey survey;                         // and the survey

    // Whether it was recorded from this grid.
    bool starts_at(const std::array<std::int16_t, 83>& grid) const;
  };

  // The rules (solver.cpp).
  void run();
  void check_reduced_grid();
  void rebuild_masks();
  int reduce_until_no_progress();
  void reduction_pass(int first_unit);
  int unit_singles(int unit) const;
  void place_single_places(int unit, int singles);
  void narrow(int cell, int mask, int unit);
  void place_narrowed(int cell, int bit, Why why);
  void place_guess(const GuessChoice& guess);
  [[gnu::noinline, gnu::cold]] void record(const Placement& placed);

  // The first pass's columns and rows in bulk (first_pass.cpp). Its steps
  // hand on the digits each column 1..9 lacks, and what the rows' calls
  // leave to be marked and placed.
  using ColumnDigits = std::array<int, 10>;
  struct RowsNarrowed;
  void reduce_columns_and_rows_first();
  ColumnDigits narrow_columns();
  RowsNarrowed narrow_rows_in_lanes(const ColumnDigits& column_open);
  void mark_touched_units(const RowsNarrowed& rows);
  void place_what_the_rows_place(const RowsNarrowed& rows);

  // The replay of the reduction from the givens (replay.cpp).
  void reduce_or_replay();
  bool starts_from_givens() const;

  Board& board_;
  PlacementSink& sink_;
  bool guessed_ = false;

  // cells 1..81: the digits still possible in each cell (bit d for digit d).
  std::array<std::int16_t, 83> cand_mask{};
  // True while the reduction pass under way has changed no mask.
  bool no_progress = false;
  // The digits of the grid, kept current through every placement.
  Survey survey_;

  // The units a reduction pass still has to call possible() on, bit u for
  // unit u: those with a cell whose mask changed since their last call.
  std::uint32_t units_to_reduce_ = 0;
  // Of those, the units with a digit placed in one of their cells since
  // their last call: of the others only the single-place rule can change
  // anything. See reduce_until_no_progress.
  std::uint32_t units_with_new_digit_ = 0;

  GivensRun givens_run_;
  // The grid the last run from main_function left, and whether survey_
  // describes it.
  std::array<std::int16_t, 81> surveyed_grid_{};
  bool survey_current_ = false;
  // Whether the run under way started from the masks of the run it is
  // nested in instead of rebuilding them (see reduce_columns_and_rows_first).
  bool masks_from_parent_ = false;
};

}  // namespace quorlen
