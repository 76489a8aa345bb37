// The start of a run's first reduction pass, done in bulk: what rebuilding
// the masks and then possible() on columns 1..9 and rows 1..9 do. It leaves
// the masks, the placements in their order, the survey, no_progress and
// the units to reduce exactly as those calls would; reduction_pass goes on
// from box 1 (unit 19). The grid repeats no digit (the run has checked).
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
// nine cells (which lie side by side) in three words of four lanes (see
// lanes.h), and what each row's call places is placed afterwards, row by
// row, in the order the calls would have placed it, each with the reason
// that call gives it.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "solver/lanes.h"
#include "solver/masks.h"
#include "solver/solver.h"

namespace quorlen {
namespace {

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

// Only which cells are filled matters of the masks it starts from: every
// empty cell gets what its column and row allow. A run nested in a guess
// starts from the masks its parent left, with the guessed cell narrowed to
// its digit, which tell filled cells from empty ones as rebuilt masks
// would; any other run rebuilds them from the digits.
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
  units_to_reduce_ &= ~kColumnUnits;
  units_with_new_digit_ &= ~kColumnUnits;
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
    // Its mask stays as it was: the walk below gives it `open`.
    place_narrowed(cell, open, {Reason::cell, static_cast<std::uint8_t>(column), 0});
  }
  return column_open;
}

// The rows' calls up to their placements, all nine rows at once. The digits
// a row lacks are read after the columns' placements, as its call would.
Solver::RowsNarrowed Solver::narrow_rows_in_lanes(const ColumnDigits& column_open) {
  units_to_reduce_ &= ~kRowUnits;
  units_with_new_digit_ &= ~kRowUnits;
  RowMasks row_open{};  // what the placed-digit rule leaves
  for (int row = 1; row <= 9; ++row) {
    row_open[static_cast<std::size_t>(row - 1)] =
        static_cast<std::int16_t>(open_digits(survey_.digit_sum[8 + row]));
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
      place_narrowed(cell, cand_mask[static_cast<std::size_t>(cell)],
                     {Reason::cell, static_cast<std::uint8_t>(9 + row), 0});
    }
    Tally tally;
    tally.once = static_cast<std::uint16_t>(row_once[r]);
    tally.twice = static_cast<std::uint16_t>(row_twice[r]);
    if (const int singles = tally.singles(survey_.used[8 + row])) place_single_places(9 + row, singles);
  }
}

}  // namespace quorlen
