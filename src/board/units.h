// Cell and unit numbering as constant tables, built at compile time.
//
//   unit  1..9   column k = unit        cells 9k-8 .. 9k (top to bottom)
//   unit 10..18  row    k = unit - 9    cells k, k+9, ..., k+72 (left to right)
//   unit 19..27  box    k = unit - 18   first cell f = 1,4,7,28,31,34,55,58,61;
//                                       f, f+1, f+2, f+9, ..., f+20
//
// A cell's place in its unit's list is its position 1..9; every walk over a
// unit visits the cells in that order.
#pragma once

#include <array>
#include <cstdint>

namespace quorlen {

enum class UnitKind { column, row, box };

constexpr UnitKind unit_kind(int unit) {
  return unit < 10 ? UnitKind::column : unit < 19 ? UnitKind::row : UnitKind::box;
}

// Index of the unit within its kind, 1..9.
constexpr int unit_index(int unit) { return unit < 10 ? unit : unit < 19 ? unit - 9 : unit - 18; }

constexpr const char* unit_kind_word(UnitKind kind) {
  return kind == UnitKind::column ? "column" : kind == UnitKind::row ? "row" : "3x3 box";
}

namespace detail {
constexpr std::array<std::array<int, 10>, 28> make_unit_cells() {
  std::array<std::array<int, 10>, 28> cells{};
  for (int unit = 1; unit <= 27; ++unit) {
    const int k = unit_index(unit);
    for (int pos = 1; pos <= 9; ++pos) {
      switch (unit_kind(unit)) {
        case UnitKind::column:
          cells[unit][pos] = 9 * k - 9 + pos;
          break;
        case UnitKind::row:
          cells[unit][pos] = k + 9 * (pos - 1);
          break;
        case UnitKind::box: {
          const int base = unit <= 21 ? 0 : unit <= 24 ? 18 : 36;
          const int first = base + 3 * k - 2;
          cells[unit][pos] = first + (pos - 1) % 3 + 9 * ((pos - 1) / 3);
          break;
        }
      }
    }
  }
  return cells;
}
}  // namespace detail

// kUnitCells[unit][pos]: cell number (1..81) at position pos (1..9) of unit.
inline constexpr auto kUnitCells = detail::make_unit_cells();

namespace detail {
constexpr std::array<std::uint32_t, 82> make_cell_units() {
  std::array<std::uint32_t, 82> units{};
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos) units[kUnitCells[unit][pos]] |= std::uint32_t{1} << unit;
  }
  return units;
}
}  // namespace detail

// kCellUnits[cell]: the three units of a cell (1..81) as a set, bit u for
// unit u (bits 1..27).
inline constexpr auto kCellUnits = detail::make_cell_units();

namespace detail {
constexpr std::array<std::array<std::uint8_t, 3>, 82> make_cell_unit_indexes() {
  std::array<std::array<std::uint8_t, 3>, 82> indexes{};
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos) {
      indexes[kUnitCells[unit][pos]][(unit - 1) / 9] = static_cast<std::uint8_t>(unit - 1);
    }
  }
  return indexes;
}
}  // namespace detail

// kCellUnitIndexes[cell]: the column, row and box unit of a cell (1..81),
// each as unit number minus one (0..26).
inline constexpr auto kCellUnitIndexes = detail::make_cell_unit_indexes();

// Screen column and row (1..9) of a cell number.
constexpr int cell_column(int cell) { return (cell - 1) / 9 + 1; }
constexpr int cell_row(int cell) { return (cell - 1) % 9 + 1; }

// Grid index (Text1 index, 0..80) of the cell at a screen row and column,
// both 0-based; the grid runs down the columns.
constexpr int grid_index(int row0, int col0) { return 9 * col0 + row0; }

}  // namespace quorlen
