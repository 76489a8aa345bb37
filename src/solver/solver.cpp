#include "solver/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "board/units.h"

namespace quorlen {
namespace {

// All 27 units, bits 1..27.
constexpr std::uint32_t kAllUnits = 0x0ffffffe;

// What the single-place rule needs to know of a unit's masks (bits 1..9):
//   once:  digits that are a candidate in at least one cell
//   twice: digits that are a candidate in at least two cells
struct Tally {
  int once = 0;
  int twice = 0;

  void add(int mask) {
    twice |= once & mask;
    once |= mask;
  }
  // Digits with one place in the unit, in a cell that has others too:
  // `settled` holds the digits already placed in the unit, whose one place
  // is their own cell.
  int singles(int settled) const { return once & ~twice & ~settled; }
};

// The number of cells of a unit that hold each digit as a candidate, for
// all nine digits at once: a 4-bit counter per digit, bit d of bits[i]
// being bit i of digit d's count. Word is int for one unit, or Lanes (see
// below) for four units side by side.
//
//     bits[3]  bits[2]  bits[1]  bits[0]
//       8s       4s       2s       1s      (bit d: digit d)
template <typename Word>
struct PlaceCounts {
  std::array<Word, 4> bits{};

  void add(Word mask) {  // one more place for every digit in mask
    const Word carry0 = bits[0] & mask;
    bits[0] ^= mask;
    const Word carry1 = bits[1] & carry0;
    bits[1] ^= carry0;
    const Word carry2 = bits[2] & carry1;
    bits[2] ^= carry1;
    bits[3] |= carry2;
  }
};

// The fewest places among the `open` digits of a unit, and in `digit` the
// smallest digit with that many: a bit of the count at a time from the
// highest, keeping the digits whose count has a 0 there if any do. With no
// open digit the count comes out as 15.
int fewest_places(int open, const PlaceCounts<int>& counts, int& digit) {
  int fewest = open;
  int places = 0;
  for (int i = 3; i >= 0; --i) {
    const int zero = fewest & ~counts.bits[static_cast<std::size_t>(i)];
    const int some = -static_cast<int>(zero != 0);  // all ones or 0
    fewest = (zero & some) | (fewest & ~some);
    places |= (1 << i) & ~some;
  }
  digit = std::countr_zero(static_cast<unsigned>(fewest));
  return places;
}

// single_digit of every mask 0..1023.
constexpr auto kSingleDigit = [] {
  std::array<std::uint8_t, 1024> digits{};
  for (int mask = 0; mask < 1024; ++mask)
    digits[static_cast<std::size_t>(mask)] = static_cast<std::uint8_t>(single_digit(mask));
  return digits;
}();

// The cells of each unit 1..27 in position order, as bytes; unit 28 is
// nine times cell 0, whose mask is 0, to make up a fourth of units 25..27.
constexpr auto kUnitCellBytes = [] {
  std::array<std::array<std::uint8_t, 9>, 29> cells{};
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos)
      cells[unit][pos - 1] = static_cast<std::uint8_t>(kUnitCells[unit][pos]);
  }
  return cells;
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

// --- Four masks at once -------------------------------------------------
//
// A word of four 16-bit lanes, each a mask (below 2^15) or a flag in its
// bit 15. Words are copied from and to four int16 side by side, so lane i
// is the i-th of them on any byte order.
using Lanes = std::uint64_t;

Lanes load_lanes(const std::int16_t* from) {
  Lanes word;
  std::memcpy(&word, from, sizeof word);
  return word;
}

void store_lanes(std::int16_t* to, Lanes word) { std::memcpy(to, &word, sizeof word); }

constexpr Lanes lanes(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d) {
  return std::bit_cast<Lanes>(std::array<std::uint16_t, 4>{a, b, c, d});
}

constexpr Lanes kLaneTop = 0x8000800080008000;  // bit 15 of every lane
constexpr Lanes kLaneOne = 0x0001000100010001;

constexpr Lanes broadcast(int mask) { return kLaneOne * static_cast<std::uint16_t>(mask); }

// Bit 15 set in the lanes that are not 0.
constexpr Lanes nonzero(Lanes x) { return ((x | kLaneTop) - kLaneOne) & kLaneTop; }

// Bit 15 set in the lanes that hold exactly one bit: x & (x - 1) is 0.
constexpr Lanes one_bit(Lanes x) {
  const Lanes less = (x | kLaneTop) - kLaneOne;  // x - 1 in each lane that is not 0
  return less & kLaneTop & ~nonzero(x & less);
}

// Every bit of the lanes whose bit 15 is set.
constexpr Lanes whole(Lanes flags) { return flags | (flags - (flags >> 15)); }

// Lane k of a word, as an int.
constexpr int lane_of(Lanes word, int k) { return static_cast<int>((word >> (16 * k)) & 0xffff); }

constexpr Lanes kFlag = 0x8000;  // bit 15 of the first lane

// The nine cells of a column, or a value for each row, in the lanes of three
// words: rows 1-4, 5-8, and 9 (the other lanes of the last word are left
// out of every result).
using RowWords = std::array<Lanes, 3>;
constexpr RowWords kRowLanes = {kLaneTop, kLaneTop, lanes(kFlag, 0, 0, 0)};
// A value for each row 1..9 at row - 1, padded to three words of lanes.
using RowMasks = std::array<std::int16_t, 12>;

// The column, and the boxes, of the cells of `column` whose rows' flags are
// set in `changed`.
constexpr std::uint32_t column_and_boxes_touched(int column, const RowWords& changed) {
  if ((changed[0] | changed[1] | changed[2]) == 0) return 0;
  std::uint32_t touched = std::uint32_t{1} << column;
  // Boxes 19..27 go down the columns: rows 1-3, 4-6 and 7-9 of columns 1-3 first.
  const int box = 19 + 3 * ((column - 1) / 3);
  if ((changed[0] & lanes(kFlag, kFlag, kFlag, 0)) != 0) touched |= std::uint32_t{1} << box;
  if ((changed[0] & lanes(0, 0, 0, kFlag)) != 0 || (changed[1] & lanes(kFlag, kFlag, 0, 0)) != 0) {
    touched |= std::uint32_t{2} << box;
  }
  if ((changed[1] & lanes(0, 0, kFlag, kFlag)) != 0 || changed[2] != 0) touched |= std::uint32_t{4} << box;
  return touched;
}

// A column's nine masks, which lie side by side, in the lanes of RowWords.
RowWords load_column(const std::int16_t* first) {
  return {load_lanes(first), load_lanes(first + 4), lanes(static_cast<std::uint16_t>(first[8]), 0, 0, 0)};
}

void store_column(std::int16_t* first, const RowWords& masks) {
  store_lanes(first, masks[0]);
  store_lanes(first + 4, masks[1]);
  first[8] = static_cast<std::int16_t>(std::bit_cast<std::array<std::uint16_t, 4>>(masks[2])[0]);
}

// What the rows' calls do to the cells of one column.
struct ColumnNarrowed {
  RowWords masks{};    // the cells' masks after them
  RowWords changed{};  // the rows whose cell they narrowed
};

// The rows' calls on a column's masks, given the digits the column lacks
// (`open`) and those each row lacks. The column's call has narrowed its
// empty cells to `open` already, or, with one empty cell, placed it.
constexpr ColumnNarrowed narrow_by_rows(const RowWords& masks, int open, const RowWords& row_open) {
  const Lanes open_lanes = broadcast(open);
  // The cell placed by the column's call keeps its one digit, as in possible().
  const Lanes keep = (open & (open - 1)) == 0 ? ~Lanes{0} : 0;
  ColumnNarrowed column;
  for (std::size_t w = 0; w < 3; ++w) {
    // A filled cell's mask is its digit alone, and it keeps it; an empty
    // one gets what the column and then the row allow.
    const Lanes filled = one_bit(masks[w]);
    const Lanes narrowed = open_lanes & (row_open[w] | keep);
    column.masks[w] = (masks[w] & whole(filled)) | (narrowed & ~whole(filled));
    column.changed[w] = nonzero(narrowed ^ open_lanes) & ~filled & kRowLanes[w];
  }
  return column;
}

// The places of every digit in four units side by side, unit first + k in
// lane k, and the digits some cell of each could take as a guess.
struct FourUnits {
  PlaceCounts<Lanes> counts;
  Lanes open = 0;

  PlaceCounts<int> counts_of(int k) const {
    return {{lane_of(counts.bits[0], k), lane_of(counts.bits[1], k), lane_of(counts.bits[2], k),
             lane_of(counts.bits[3], k)}};
  }
};

// Every mask must be in 0..1022, as the solver's masks are. A lane past
// unit 27 reads unit 28, which holds nothing (see kUnitCellBytes).
FourUnits count_places(int first, const std::array<std::int16_t, 83>& masks,
                       const std::array<std::int16_t, 83>& tried_masks) {
  FourUnits units;
  for (std::size_t pos = 0; pos < 9; ++pos) {
    Lanes mask = 0, tried = 0;
    for (int k = 0; k < 4; ++k) {
      const auto cell = static_cast<std::size_t>(kUnitCellBytes[static_cast<std::size_t>(first + k)][pos]);
      mask |= Lanes{static_cast<std::uint16_t>(masks[cell])} << (16 * k);
      tried |= Lanes{static_cast<std::uint16_t>(tried_masks[cell])} << (16 * k);
    }
    units.counts.add(mask);
    // Narrowing a cell whose mask is one digit alone (or none) changes nothing.
    const Lanes several = nonzero(mask & ((mask | kLaneTop) - kLaneOne));
    units.open |= mask & ~tried & whole(several);
  }
  return units;
}

}  // namespace

// What the rows' calls of the first pass leave to be marked and placed (see
// reduce_columns_and_rows_first), rows in lanes as in RowWords.
struct Solver::RowsNarrowed {
  RowWords once{}, twice{};           // the rows' tallies of their narrowed masks, as in Tally
  RowWords changed{};                 // the rows with a narrowed cell
  std::array<RowWords, 10> placed{};  // columns 1..9: the rows whose cell there was narrowed to one digit
  Lanes any_placed = 0;               // any of them
  std::uint32_t touched = 0;          // the columns and boxes of the narrowed cells

  // Adds what the rows' calls did to the cells of `column`.
  void add(int column, const ColumnNarrowed& narrowed) {
    RowWords& placed_here = placed[static_cast<std::size_t>(column)];
    for (std::size_t w = 0; w < 3; ++w) {
      // A narrowed cell was empty, so its mask is what the rows' call gave it.
      placed_here[w] = narrowed.changed[w] & one_bit(narrowed.masks[w]);
      any_placed |= placed_here[w];
      changed[w] |= narrowed.changed[w];
      twice[w] |= once[w] & narrowed.masks[w];
      once[w] |= narrowed.masks[w];
    }
    touched |= column_and_boxes_touched(column, narrowed.changed);
  }
};

// The grid a run from here starts from is often known: the Solve command
// starts its attempts from the grid the last run left, or from the givens.
// Then the survey need not be taken again.
void Solver::main_function() {
  const auto& grid = board_.cell_value;
  if (survey_current_ && std::equal(surveyed_grid_.begin(), surveyed_grid_.end(), grid.begin())) {
    // survey_ describes it already.
  } else if (givens_run_.recorded &&
             std::equal(givens_run_.start.begin(), givens_run_.start.end(), grid.begin())) {
    survey_ = givens_run_.start_survey;
  } else {
    survey_grid();
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

// One walk over the grid the run starts from: it notes each unit's digits,
// which units repeat one, and how many cells are empty, so that the run
// need not read the grid again. Every cell holds 1..9 or kEmptyCell (see
// set_cell_digit). From the rebuild of the masks on, a cell's mask is its
// digit alone exactly when the cell is filled: only empty cells are
// narrowed, and one narrowed to a single digit is filled with it at once.
void Solver::survey_grid() {
  survey_ = Survey{};
  int empty_cells = 0;
  // Without a branch per cell: filled and empty cells come mixed.
  for (int i = 0; i < 81; ++i) {
    const int value = board_.cell_value[i];
    assert(value == kEmptyCell || (value >= 1 && value <= 9));
    const int empty = -static_cast<int>(value == kEmptyCell);  // all ones or 0
    empty_cells -= empty;
    const auto bit = static_cast<std::uint16_t>(digit_mask(value & 15) & ~empty);
    for (const int unit : kCellUnitIndexes[i + 1]) {
      survey_.used[unit] |= bit;
      survey_.digit_sum[unit] += bit;
    }
  }
  survey_.empty_cells = empty_cells;
  // The sum of distinct digits' masks is their union; a repeated one adds more.
  for (int unit = 0; unit < 27; ++unit) {
    if (survey_.digit_sum[unit] != survey_.used[unit]) survey_.repeating_units |= std::uint32_t{2} << unit;
  }
  survey_.repeated = survey_.repeating_units != 0;
}

// A digit `bit` written into the empty cell `cell`.
void Solver::record_digit(int cell, int bit) {
  --survey_.empty_cells;
  for (const int unit : kCellUnitIndexes[cell]) {
    std::uint16_t& used = survey_.used[unit];
    if ((used & bit) != 0) {
      survey_.repeated = true;
      survey_.repeating_units |= std::uint32_t{2} << unit;
    }
    used = static_cast<std::uint16_t>(used | bit);
    survey_.digit_sum[unit] += bit;
  }
}

// Whether the grid holds the givens and nothing else.
bool Solver::starts_from_givens() const {
  for (int n = 1; n <= 81; ++n) {
    if (board_.cell_value[n - 1] != stored_digit(given_digit(board_, n))) return false;
  }
  return true;
}

// The reduction of a run. Every attempt of the Solve
// command starts a run from the givens, and the reduction depends on
// nothing but the grid it starts from: the masks are rebuilt, and guessing
// (with tried_mask) comes after it. So the first such reduction is
// recorded, and later runs from the same grid replay what it did: the
// passes counted, every placement through write_pos in order (the grid and
// the step log see it as before), and the masks and survey it left.
void Solver::reduce_or_replay() {
  GivensRun& g = givens_run_;
  const auto& grid = board_.cell_value;
  if (g.recorded && std::equal(g.start.begin(), g.start.end(), grid.begin())) {
    const std::int64_t passes = std::int64_t{board_.pass_count} + g.passes;
    board_.pass_count = static_cast<std::int32_t>(std::min<std::int64_t>(passes, INT32_MAX));
    for (const Placement& p : g.placements) write_pos(p.index, digit_mask(p.digit));
    cand_mask = g.masks;
    survey_ = g.survey;
    no_progress = true;
    return;
  }
  g.recording = !g.recorded && starts_from_givens();
  if (!g.recording) {
    reduce_until_no_progress();
    return;
  }
  std::copy_n(grid.begin(), g.start.size(), g.start.begin());
  g.start_survey = survey_;
  g.placements.clear();
  g.passes = reduce_until_no_progress();
  g.masks = cand_mask;
  g.survey = survey_;
  g.recorded = true;
  g.recording = false;
}

void Solver::rebuild_masks() {
  for (int n = 1; n <= 81; ++n) {
    const int value = board_.cell_value[n - 1];
    cand_mask[n] = static_cast<std::int16_t>(value != kEmptyCell ? digit_mask(value) : kAllDigits);
  }
}

// Passes over the 27 units until one changes no mask.
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

// What rebuilding the masks and then possible() on columns 1..9 and rows
// 1..9 do, the start of the first pass over a grid that repeats no digit.
//
// Each column's call narrows the column's empty cells from all nine digits
// to the digits the column lacks, and places the one empty cell of a column
// that has one. The single-place rule finds nothing there: the empty cells
// of a column all have the same mask, which holds each digit the column
// lacks.
//
// Each row's call reads and narrows only its own cells, with its own
// digits, and nothing another row's call does changes those. So all rows
// are narrowed and tallied at once, walking the columns with a column's
// nine cells (which lie side by side) in three words of four lanes, and
// what each row's call places is placed afterwards, row by row, in the
// order the calls would have placed it.
//
// The masks it starts from tell filled cells from empty ones (see
// survey_grid): a run nested in a guess starts from those its parent left,
// with the guessed cell narrowed to its digit; any other run from masks
// rebuilt from the digits.
void Solver::reduce_columns_and_rows_first() {
  if (!masks_from_parent_) rebuild_masks();
  const ColumnDigits column_open = narrow_columns();
  const RowsNarrowed rows = narrow_rows_in_lanes(column_open);
  mark_touched_units(rows);
  place_what_the_rows_place(rows);
}

// The columns' calls. The masks of their empty cells are left to the walk
// over the rows, which stores them narrowed by column and row at once.
Solver::ColumnDigits Solver::narrow_columns() {
  constexpr std::uint32_t kColumns = 0x3fe;  // units 1..9
  units_to_reduce_ &= ~kColumns;
  units_with_new_digit_ &= ~kColumns;
  ColumnDigits column_open{};
  for (int column = 1; column <= 9; ++column) {
    const int open = kAllDigits & ~survey_.used[column - 1];
    column_open[column] = open;
    // Narrowed from all nine digits, unless the column is full or has no digit.
    if (open == 0 || open == kAllDigits) continue;
    no_progress = false;
    units_to_reduce_ |= std::uint32_t{1} << column;  // rows and boxes are marked still
    if (single_digit(open) == 0) continue;
    int cell = 9 * column - 8;  // the column's one empty cell
    while (board_.cell_value[cell - 1] != kEmptyCell) ++cell;
    place_narrowed(cell, open);  // its mask stays as it was: the walk below gives it `open`
  }
  return column_open;
}

// The rows' calls up to their placements, all nine rows at once. The digits
// a row lacks are read after the columns' placements, as its call would.
Solver::RowsNarrowed Solver::narrow_rows_in_lanes(const ColumnDigits& column_open) {
  constexpr std::uint32_t kRows = 0x7fc00;  // units 10..18
  units_to_reduce_ &= ~kRows;
  units_with_new_digit_ &= ~kRows;
  RowMasks row_open{};  // what the placed-digit rule leaves
  for (int row = 1; row <= 9; ++row) {
    row_open[static_cast<std::size_t>(row - 1)] =
        static_cast<std::int16_t>(digit_bits(kAllDigits - survey_.digit_sum[8 + row]));
  }
  const RowWords row_open_lanes = {load_lanes(&row_open[0]), load_lanes(&row_open[4]),
                                   load_lanes(&row_open[8])};
  RowsNarrowed rows;
  for (int column = 1; column <= 9; ++column) {
    std::int16_t* const first = &cand_mask[static_cast<std::size_t>(9 * column - 8)];
    const ColumnNarrowed narrowed = narrow_by_rows(load_column(first), column_open[column], row_open_lanes);
    store_column(first, narrowed.masks);
    rows.add(column, narrowed);
  }
  return rows;
}

// Every row with a narrowed cell, and the columns and boxes of those cells,
// are to be reduced again.
void Solver::mark_touched_units(const RowsNarrowed& rows) {
  RowMasks row_changed{};
  for (std::size_t w = 0; w < 3; ++w) store_lanes(&row_changed[4 * w], rows.changed[w]);
  std::uint32_t touched = rows.touched;
  for (int row = 1; row <= 9; ++row) {
    if (row_changed[static_cast<std::size_t>(row - 1)] != 0) touched |= std::uint32_t{1} << (9 + row);
  }
  if (touched != 0) {
    no_progress = false;
    units_to_reduce_ |= touched;
  }
}

// What the rows' calls place, in their order: row by row, the cells the
// placed-digit rule narrowed to one digit, then the row's single places.
void Solver::place_what_the_rows_place(const RowsNarrowed& rows) {
  RowMasks row_once{}, row_twice{};
  for (std::size_t w = 0; w < 3; ++w) {
    store_lanes(&row_once[4 * w], rows.once[w]);
    store_lanes(&row_twice[4 * w], rows.twice[w]);
  }
  for (int row = 1; row <= 9; ++row) {
    const auto r = static_cast<std::size_t>(row - 1);
    std::array<std::uint16_t, 4> flag{};
    flag[r % 4] = kFlag;
    const Lanes lane = std::bit_cast<Lanes>(flag);
    for (int column = 1; column <= 9 && rows.any_placed != 0; ++column) {
      if ((rows.placed[static_cast<std::size_t>(column)][r / 4] & lane) == 0) continue;
      const int cell = 9 * column - 9 + row;
      place_narrowed(cell, cand_mask[static_cast<std::size_t>(cell)]);
    }
    Tally tally;
    tally.once = static_cast<std::uint16_t>(row_once[r]);
    tally.twice = static_cast<std::uint16_t>(row_twice[r]);
    if (const int singles = tally.singles(survey_.used[8 + row])) place_single_places(9 + row, singles);
  }
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

void Solver::narrow(int cell, int mask) {
  cand_mask[cell] = static_cast<std::int16_t>(mask);
  no_progress = false;
  units_to_reduce_ |= kCellUnits[cell];
  // write_pos places only a single digit; most narrowed masks keep several.
  if (single_digit(mask) != 0) place_narrowed(cell, mask);
}

// Only empty cells are narrowed (see survey_grid), so this adds a digit.
void Solver::place_narrowed(int cell, int bit) {
  write_pos(cell - 1, bit);
  if (givens_run_.recording) {
    givens_run_.placements.push_back(
        {static_cast<std::uint8_t>(cell - 1), static_cast<std::uint8_t>(single_digit(bit))});
  }
  units_with_new_digit_ |= kCellUnits[cell];
  record_digit(cell, bit);
}

// Both rules on one unit. The digits are those of the unit when the call
// starts: a digit placed below is struck from the unit's other cells only
// by the next call. They are not read from the grid: the survey keeps the
// sum of their masks, and a cell is filled exactly when its mask is one
// digit alone. `open` is 1022 less that sum; with a repeated digit the sum
// is no set of digits and `open` may be negative, which holds no digit.
void Solver::possible(const int& unit) {
  std::int16_t* const mask_of = cand_mask.data();
  const int open = digit_bits(kAllDigits - survey_.digit_sum[unit - 1]);
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
    place_narrowed(cell, mask_of[cell]);
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
    narrow(cells[pos], bit);
    singles = unit_singles(unit) & ~((bit << 1) - 1);  // the digits above this one
  }
}

void Solver::write_pos(int loc, int value) {
  if (loc < 0 || loc > 80) return;
  const int d = single_digit(value);
  if (d == 0) return;
  view_.set_cell_colour(loc, kSolverBlue);
  view_.set_cell_digit(loc, d);
  set_cell_digit(board_, loc, d);
  if (log_ != nullptr) log_->push_back({static_cast<std::uint8_t>(loc), static_cast<std::uint8_t>(d)});
}

// Guessing examines (k, u, d) in order: fewest places k first, then units
// 1..27, then digits 1..9. An examination lists the cells of unit u with
// candidate d and, if there are k of them, narrows each to d in turn until
// one changes and has not had d guessed before: that one takes the guess,
// and a nested run starts. Every examination starts from the masks as
// guessing found them, and one that places nothing is undone, so it leaves
// no trace: the first examination that places is found directly.
void Solver::guess_function() {
  saturating_increment(board_.guess_count);
  guessed_ = true;
  const Guess guess = choose_guess();
  if (guess.unit != 0) place_guess(guess);
}

// The examination of (k, u, d) places exactly when d has k places in u and
// some cell of u could take d as a guess: d is a candidate there, the cell
// has other candidates too, and d has not been guessed there.
//
// No unit has a digit with one place in a cell that has other candidates:
// the reduction stops only when the single-place rule finds none in any
// unit. So two places is the fewest there, and the first unit that offers
// two wins. Every mask is in 0..1022 and tells filled cells from empty
// ones, so the units can be counted in lanes.
Solver::Guess Solver::choose_guess() const {
  Guess best;
  for (int first = 1; first <= 27; first += 4) {
    const FourUnits units = count_places(first, cand_mask, board_.tried_mask);
    for (int k = 0; k < 4 && first + k <= 27; ++k) {
      int digit = 0;
      const int places = fewest_places(lane_of(units.open, k), units.counts_of(k), digit);
      // A later unit wins only with fewer places; none has fewer than two.
      if (places < best.places) best = {places, first + k, digit};
      if (best.places == 2) return best;
    }
  }
  return best;
}

// The examination that places: the first listed cell that has other
// candidates and has not had the digit guessed takes the guess. (The cells
// listed before it would stay narrowed to the digit, but the nested run
// narrows every mask afresh from the digits.)
void Solver::place_guess(const Guess& guess) {
  const int bit = digit_mask(guess.digit);
  for (int pos = 1; pos <= 9; ++pos) {
    const int cell = kUnitCells[guess.unit][pos];
    const int old = cand_mask[cell];
    if ((old & bit) == 0 || old == bit || (board_.tried_mask[cell] & bit) != 0) continue;
    board_.tried_mask[cell] = static_cast<std::int16_t>(board_.tried_mask[cell] + bit);
    write_pos(cell - 1, bit);
    record_digit(cell, bit);  // the cell has other candidates, so it was empty
    cand_mask[cell] = static_cast<std::int16_t>(bit);
    masks_from_parent_ = true;
    run();
    return;
  }
}

}  // namespace quorlen
