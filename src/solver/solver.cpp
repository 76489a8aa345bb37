// The rules of a solve run, in the order a run meets them: the run and its
// checks, the reduction passes, the two rules of `possible`, placement, and
// guessing. See solver.h for the invariant they keep.
#include "solver/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "board/units.h"
#include "solver/guess_choice.h"
#include "solver/masks.h"

namespace quorlen {
namespace {

// single_digit of every mask 0..1023.
constexpr auto kSingleDigit = [] {
  std::array<std::uint8_t, 1024> digits{};
  for (int mask = 0; mask < 1024; ++mask)
    digits[static_cast<std::size_t>(mask)] = static_cast<std::uint8_t>(single_digit(mask));
  return digits;
}();

// kUnitsOfPositions[unit][k][set]: the units of the cells of `unit` at
// positions 3k + 1 .. 3k + 3 that `set` names (bit j for position 3k + j + 1),
// as a set of units.
constexpr auto kUnitsOfPositions = [] {
  std::array<std::array<std::array<std::uint32_t, 8>, 3>, 28> units{};
  for (int unit = 1; unit <= 27; ++unit) {
    for (int k = 0; k < 3; ++k) {
      for (int set = 0; set < 8; ++set) {
        for (int j = 0; j < 3; ++j) {
          if ((set >> j & 1) != 0) units[unit][k][set] |= kCellUnits[kUnitCells[unit][3 * k + j + 1]];
        }
      }
    }
  }
  return units;
}();

}  // namespace

// --- The run -------------------------------------------------------------

// A run starts with the survey of its grid. That grid is often known: the
// Solve command starts its attempts from the grid the last run left, or
// from the givens, whose survey the replay keeps. Then the survey need not
// be taken again.
void Solver::main_function() {
  const auto& grid = board_.cell_value;
  if (survey_current_ && std::equal(surveyed_grid_.begin(), surveyed_grid_.end(), grid.begin())) {
    // survey_ describes it already.
  } else if (givens_run_.starts_at(grid)) {
    survey_ = givens_run_.start_survey;
  } else {
    survey_ = survey_of(grid);
  }
  masks_from_parent_ = false;
  run();
  std::copy_n(grid.begin(), surveyed_grid_.size(), surveyed_grid_.begin());
  survey_current_ = true;
}

// The steps of main_function. A run nested in a guess starts from the grid
// its parent left plus the guess, whose survey its parent kept current.
void Solver::run() {
  Board& b = board_;
  b.is_valid = true;
  b.solvable = true;
  b.attempt_ok = true;
  // Of the units' validations the first that fails ends the run.
  if (survey_.repeated) {
    validate(std::countr_zero(survey_.repeating_units));
    b.attempt_ok = false;
    return;
  }
  reduce_or_replay();
  check_reduced_grid();
  if (!b.is_valid) {
    b.solvable = false;
  } else if (!b.is_complete) {
    guess_function();
  }
}

// The checks after the passes: validate and complete every unit. A grid
// with no repeated digit is complete exactly when it has no empty cell. Of
// the 27 validations only the last that fails leaves a trace (each one
// overwrites the repetition the one before reported), and a unit that
// repeats a digit lacks another, so it is not complete.
void Solver::check_reduced_grid() {
  Board& b = board_;
  b.is_valid = true;
  if (survey_.repeated) {
    validate(31 - std::countl_zero(survey_.repeating_units));
    b.is_complete = false;
  } else {
    b.is_complete = survey_.empty_cells == 0;
  }
}

// Reports the first pair of cells holding the same digit: the pair whose
// first cell comes earliest in position order, and of that cell's twins the
// nearest.
void Solver::validate(const int& unit) {
  const auto& cells = kUnitCells[unit];
  for (int i = 1; i <= 9; ++i) {
    const int value = board_.cell_value[cells[i] - 1];
    if (value == kEmptyCell) continue;
    for (int j = i + 1; j <= 9; ++j) {
      if (board_.cell_value[cells[j] - 1] != value) continue;
      board_.is_valid = false;
      board_.repetition = {unit, value, cells[i], cells[j]};
      return;
    }
  }
}

// --- Reduction passes ----------------------------------------------------

void Solver::rebuild_masks() {
  for (int n = 1; n <= 81; ++n) {
    const int value = board_.cell_value[n - 1];
    cand_mask[n] = static_cast<std::int16_t>(value != kEmptyCell ? digit_mask(value) : kAllDigits);
  }
}

// Passes over the 27 units until one changes no mask; returns how many.
//
// possible(u) reads and writes only the digits and masks of u's own cells,
// so a call that changed nothing would change nothing again until one of
// those cells changes. Such calls are skipped: units_to_reduce_ holds the
// units with a changed cell (narrow() marks the three units of every cell
// it changes), and every unit starts out in it because the masks were just
// rebuilt.
//
// Of a unit whose cells only lost candidates since its last call, and got no
// new digit (units_with_new_digit_), the placed-digit rule would change
// nothing: it narrows to what the unit's digits allow, the digits are those
// it last narrowed to, and masks only shrink. Only the single-place rule is
// applied to it.
//
// The masks are rebuilt together with the first pass's columns and rows
// (see reduce_columns_and_rows_first).
int Solver::reduce_until_no_progress() {
  units_to_reduce_ = kAllUnits;
  units_with_new_digit_ = kAllUnits;
  no_progress = false;
  int passes = 0;
  for (bool first = true; !no_progress; first = false) {
    ++passes;
    saturating_increment(board_.pass_count);
    no_progress = true;
    if (first) {
      reduce_columns_and_rows_first();
      reduction_pass(19);
    } else {
      reduction_pass(1);
    }
  }
  return passes;
}

// One pass over the units still to reduce, from `first_unit` on.
void Solver::reduction_pass(int first_unit) {
  // The units still to reduce in this pass, in ascending order: those above
  // the current one, including any that it marks.
  int unit = first_unit - 1;
  for (std::uint32_t ahead = units_to_reduce_ & ~((std::uint32_t{2} << unit) - 1); ahead != 0;
       ahead = units_to_reduce_ & ~((std::uint32_t{2} << unit) - 1)) {
    unit = std::countr_zero(ahead);
    const std::uint32_t unit_bit = std::uint32_t{1} << unit;
    units_to_reduce_ &= ~unit_bit;
    if ((units_with_new_digit_ & unit_bit) != 0) {
      units_with_new_digit_ &= ~unit_bit;
      possible(unit);
    } else if (const int singles = unit_singles(unit)) {
      place_single_places(unit, singles);
    }
  }
}

// --- The two rules -------------------------------------------------------

// Both rules on one unit. Placed-digit rule: every cell is narrowed to what
// the unit allows, an empty cell to the digits the unit lacks, a filled one
// to its own digit. Those digits are the unit's when the call starts: a
// digit placed below is struck from the unit's other cells only by the next
// call. They are not read from the grid: the survey keeps the sum of their
// masks, and a cell is filled exactly when its mask is one digit alone.
void Solver::possible(const int& unit_number) {
  const int unit = unit_number;  // a copy that may stay in a register across the calls below
  std::int16_t* const mask_of = cand_mask.data();
  const int open = open_digits(survey_.digit_sum[unit - 1]);
  const auto& cells = kUnitCellBytes[unit];
  Tally tally;
  unsigned changed_at = 0;  // the positions of the cells narrowed, bit pos - 1 for position pos
  unsigned placed_at = 0;   // those narrowed to one digit
  // Without a branch: whether a cell is filled, and whether it changes, are
  // as good as random.
  for (unsigned i = 0; i < 9; ++i) {
    const int cell = cells[i];
    const int old = mask_of[cell];
    // A filled cell keeps its digit; so does an empty one with no
    // candidate left (0 narrows to 0). (x - 1) >> 31 is all ones for x = 0
    // and 0 for x in 1..1023: a test that the compiler keeps branch-free.
    const int mask = old & (open | (((old & (old - 1)) - 1) >> 31));
    mask_of[cell] = static_cast<std::int16_t>(mask);
    const auto changed = static_cast<unsigned>(((mask ^ old) + 1023) >> 10);  // 1 or 0
    changed_at |= changed << i;
    placed_at |= (changed & static_cast<unsigned>(kSingleDigit[static_cast<std::size_t>(mask)] != 0)) << i;
    tally.add(mask);
  }
  // The placements, in position order. Nothing above reads what they change
  // (the grid, the survey), so they may wait until the masks are narrowed.
  for (; placed_at != 0; placed_at &= placed_at - 1) {
    const int cell = cells[static_cast<std::size_t>(std::countr_zero(placed_at))];
    place_narrowed(cell, mask_of[cell], {Reason::cell, static_cast<std::uint8_t>(unit), 0});
  }
  if (changed_at != 0) {
    no_progress = false;
    const auto& units = kUnitsOfPositions[static_cast<std::size_t>(unit)];
    units_to_reduce_ |=
        units[0][changed_at & 7] | units[1][(changed_at >> 3) & 7] | units[2][changed_at >> 6];
  }
  if (const int singles = tally.singles(survey_.used[unit - 1])) place_single_places(unit, singles);
}

// The digits with one place in the unit, in a cell that has others too.
int Solver::unit_singles(int unit) const {
  Tally tally;
  for (const int cell : kUnitCellBytes[unit]) tally.add(cand_mask[cell]);
  return tally.singles(survey_.used[unit - 1]);
}

// Single-place rule: a digit with one possible cell in the unit goes there,
// unless that cell's mask is that digit alone already. Digits go in
// ascending order, and each one's places are counted on the masks as the
// smaller digits left them, so after a change the tallies are taken again
// for the digits above it. Every mask of the unit holds bits 1..9 only, as
// the placed-digit rule leaves them.
void Solver::place_single_places(int unit, int singles) {
  const auto& cells = kUnitCells[unit];
  const std::int16_t* const mask_of = cand_mask.data();
  while (singles != 0) {
    const int bit = singles & -singles;
    int pos = 1;
    while ((mask_of[cells[pos]] & bit) == 0) ++pos;
    narrow(cells[pos], bit, unit);
    singles = unit_singles(unit) & ~((bit << 1) - 1);  // the digits above this one
  }
}

// --- Placement -----------------------------------------------------------

// The single-place rule of `unit` narrows a cell.
void Solver::narrow(int cell, int mask, int unit) {
  cand_mask[cell] = static_cast<std::int16_t>(mask);
  no_progress = false;
  units_to_reduce_ |= kCellUnits[cell];
  // write_pos places only a single digit; most narrowed masks keep several.
  if (single_digit(mask) != 0) place_narrowed(cell, mask, {Reason::unit, static_cast<std::uint8_t>(unit), 0});
}

// Only empty cells are narrowed, so this adds a digit to the grid.
void Solver::place_narrowed(int cell, int bit, Why why) {
  write_pos(cell - 1, bit, why);
  units_with_new_digit_ |= kCellUnits[cell];
  survey_.add_digit(cell, bit);
}

// The one way a digit gets into the grid: the board, the sink, its log and
// the record of the givens' run all see the placement here. Most runs keep
// no record: the placement with its reason is made only for one that does.
void Solver::write_pos(int loc, int value, Why why) {
  if (loc < 0 || loc > 80) return;
  const int d = single_digit(value);
  if (d == 0) return;
  sink_.shown[static_cast<std::size_t>(loc)] = static_cast<std::uint8_t>(d);
  set_cell_digit(board_, loc, d);
  if (sink_.log != nullptr || givens_run_.recording) [[unlikely]]
    record({static_cast<std::uint8_t>(loc), static_cast<std::uint8_t>(d), why});
}

void Solver::record(const Placement& placed) {
  if (sink_.log != nullptr) sink_.log->push_back(placed);
  if (givens_run_.recording) givens_run_.placements.push_back(placed);
}

// --- Guessing ------------------------------------------------------------

// Guessing examines (k, u, d) in order: fewest places k first, then units
// 1..27, then digits 1..9. An examination lists the cells of unit u with
// candidate d and, if there are k of them, narrows each to d in turn until
// one changes and has not had d guessed before: that one takes the guess,
// and a nested run starts. Every examination starts from the masks as
// guessing found them, and one that places nothing is undone, so it leaves
// no trace: the first examination that places is found directly (see
// guess_choice.h).
void Solver::guess_function() {
  saturating_increment(board_.guess_count);
  guessed_ = true;
  const GuessChoice guess = choose_guess(cand_mask, board_.tried_mask);
  if (guess.unit != 0) place_guess(guess);
}

// The examination that places: the first listed cell that has other
// candidates and has not had the digit guessed takes the guess. (The cells
// listed before it would stay narrowed to the digit, but the nested run
// gives every empty cell its mask afresh.) The nested run starts from these
// masks, the guessed cell's narrowed to its digit: they tell filled cells
// from empty ones as rebuilt masks would.
void Solver::place_guess(const GuessChoice& guess) {
  const int unit = guess.unit;
  const int bit = digit_mask(guess.digit);
  for (int pos = 1; pos <= 9; ++pos) {
    const int cell = kUnitCells[unit][pos];
    const int old = cand_mask[cell];
    if ((old & bit) == 0 || old == bit || (board_.tried_mask[cell] & bit) != 0) continue;
    board_.tried_mask[cell] = static_cast<std::int16_t>(board_.tried_mask[cell] + bit);
    write_pos(cell - 1, bit,
              {Reason::guess, static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(guess.places)});
    survey_.add_digit(cell, bit);  // the cell has other candidates, so it was empty
    cand_mask[cell] = static_cast<std::int16_t>(bit);
    masks_from_parent_ = true;
    run();
    return;
  }
}

}  // namespace quorlen
