// How the person's solver numbers the grid: as players read it.
//
//   cell   0..80, row by row from the top-left: cell = 9 * row + column
//          (rows and columns 0..8 here, r1c1..r9c9 for people)
//   house  0..26: boxes 0..8 in reading order (b1 top-left .. b9
//          bottom-right), rows 9..17, columns 18..26
//
// A house lists its cells in reading order: a box row by row, a row left
// to right, a column top to bottom. Every search walks houses and cells in
// these orders, and so finds its patterns in one fixed order.
//
// The rest of the program numbers cells down the columns (board/units.h);
// the conversion happens where a grid comes in (Grid::from_digits) and goes
// out (digits()).
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "logic/cell_set.h"

namespace quorlen::logic {

enum class HouseKind : std::uint8_t { box, row, column };

constexpr int row_of(int cell) { return cell / 9; }
constexpr int column_of(int cell) { return cell % 9; }
constexpr int box_of(int cell) { return cell / 27 * 3 + cell % 9 / 3; }

constexpr int box_house(int box) { return box; }
constexpr int row_house(int row) { return 9 + row; }
constexpr int column_house(int column) { return 18 + column; }

constexpr HouseKind house_kind(int house) {
  return house < 9 ? HouseKind::box : house < 18 ? HouseKind::row : HouseKind::column;
}

// The cell at place i (0..8) of a house.
constexpr int house_cell(int house, int i) {
  const int k = house % 9;
  switch (house_kind(house)) {
    case HouseKind::box:
      return k / 3 * 27 + k % 3 * 3 + i / 3 * 9 + i % 3;
    case HouseKind::row:
      return 9 * k + i;
    case HouseKind::column:
      break;
  }
  return 9 * i + k;
}

// A cell's house of each kind: [0] its box, [1] its row, [2] its column.
constexpr std::array<int, 3> cell_houses(int cell) {
  return {box_house(box_of(cell)), row_house(row_of(cell)), column_house(column_of(cell))};
}

// The place (0..8) of a cell in one of its houses.
constexpr int place_in_house(int house, int cell) {
  switch (house_kind(house)) {
    case HouseKind::box:
      return row_of(cell) % 3 * 3 + column_of(cell) % 3;
    case HouseKind::row:
      return column_of(cell);
    case HouseKind::column:
      break;
  }
  return row_of(cell);
}

// A cell's three houses with its place in each, looked up (cell_houses and
// place_in_house, for the inner loops).
struct HousePlace {
  std::uint8_t house;
  std::uint8_t place;
};

namespace detail {
constexpr std::array<std::array<HousePlace, 3>, 81> make_cell_places() {
  std::array<std::array<HousePlace, 3>, 81> places{};
  for (int cell = 0; cell < 81; ++cell) {
    for (int k = 0; k < 3; ++k) {
      const int house = cell_houses(cell)[static_cast<std::size_t>(k)];
      places[cell][k] = {static_cast<std::uint8_t>(house),
                         static_cast<std::uint8_t>(place_in_house(house, cell))};
    }
  }
  return places;
}
}  // namespace detail

// kCellPlaces[cell][k]: the cell's box (k 0), row (1) and column (2), with
// its place in each.
inline constexpr std::array<std::array<HousePlace, 3>, 81> kCellPlaces = detail::make_cell_places();

namespace detail {
constexpr std::array<CellSet, 27> make_house_sets() {
  std::array<CellSet, 27> sets{};
  for (int house = 0; house < 27; ++house) {
    for (int i = 0; i < 9; ++i) sets[house].add(house_cell(house, i));
  }
  return sets;
}
}  // namespace detail

// kHouseSet[house]: the nine cells of a house.
inline constexpr std::array<CellSet, 27> kHouseSet = detail::make_house_sets();

// The order in which searches take the houses: boxes, then columns, then
// rows, each first to last. Which of two patterns is found first, and so
// which step is taken, depends on it.
inline constexpr std::array<int, 27> kScanOrder = {0,  1,  2,  3,  4, 5,  6,  7,  8,  18, 19, 20, 21, 22,
                                                   23, 24, 25, 26, 9, 10, 11, 12, 13, 14, 15, 16, 17};

namespace detail {
constexpr std::array<std::array<std::uint8_t, 9>, 27> make_house_cells() {
  std::array<std::array<std::uint8_t, 9>, 27> cells{};
  for (int house = 0; house < 27; ++house) {
    for (int i = 0; i < 9; ++i) cells[house][i] = static_cast<std::uint8_t>(house_cell(house, i));
  }
  return cells;
}
}  // namespace detail

// kHouseCells[house][i]: house_cell(house, i), looked up.
inline constexpr std::array<std::array<std::uint8_t, 9>, 27> kHouseCells = detail::make_house_cells();

// The cells of a set that lie in a house, as a 9-bit mask of their places
// (bit i: place i, see house_cell).
constexpr unsigned places_in_house(int house, CellSet cells) {
  unsigned mask = 0;
  for (int i = 0; i < 9; ++i) {
    if (cells.has(kHouseCells[house][i])) mask |= 1u << i;
  }
  return mask;
}

// The cells at the places of a 9-bit mask of a house.
constexpr CellSet cells_at_places(int house, unsigned places) {
  CellSet cells;
  for (; places != 0; places &= places - 1) cells.add(kHouseCells[house][std::countr_zero(places)]);
  return cells;
}

namespace detail {
constexpr std::array<CellSet, 81> make_peer_sets() {
  std::array<CellSet, 81> sets{};
  for (int cell = 0; cell < 81; ++cell) {
    for (int house : cell_houses(cell)) sets[cell] |= kHouseSet[house];
    sets[cell].remove(cell);
  }
  return sets;
}
}  // namespace detail

// kPeers[cell]: the 20 other cells of its box, row and column.
inline constexpr std::array<CellSet, 81> kPeers = detail::make_peer_sets();

// The cells that see every cell of a set (none of the set itself).
constexpr CellSet common_peers(CellSet cells) {
  CellSet seen = CellSet::all();
  for (int cell : cells) seen &= kPeers[cell];
  return seen;
}

constexpr bool sees(int a, int b) { return kPeers[a].has(b); }

}  // namespace quorlen::logic
