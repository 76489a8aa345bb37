#include "logic/grid.h"

#include "board/units.h"

namespace quorlen::logic {

Grid::Grid() : empty_(CellSet::all()) {
  candidates_.fill(kAllCandidates);
  for (int digit = 1; digit <= 9; ++digit) positions_[digit] = CellSet::all();
  for (auto& house : places_) {
    house.fill(0x1FF);
    house[0] = 0;
  }
}

Grid Grid::from_digits(const DigitGrid& digits) {
  Grid grid;
  for (int cell = 0; cell < 81; ++cell) {
    const int digit = digits[grid_index(row_of(cell), column_of(cell))];
    if (digit >= 1 && digit <= 9) grid.place(cell, digit);
  }
  return grid;
}

std::optional<Grid> Grid::from_string(std::string_view text) {
  const auto digits = parse_puzzle(text);
  if (!digits) return std::nullopt;
  return from_digits(*digits);
}

void Grid::drop_places(int cell, int digit) {
  for (const HousePlace at : kCellPlaces[cell]) {
    places_[at.house][digit] &= static_cast<std::uint16_t>(~(1u << at.place));
  }
}

void Grid::place(int cell, int digit) {
  for (int other = 1; other <= 9; ++other) {
    if (has(cell, other)) drop_places(cell, other);
    positions_[other].remove(cell);
  }
  candidates_[cell] = 0;
  if (value_[cell] != 0) --placed_count_[value_[cell]];
  ++placed_count_[digit];
  value_[cell] = static_cast<std::uint8_t>(digit);
  empty_.remove(cell);
  const auto bit = static_cast<std::uint16_t>(1u << digit);
  for (int peer : kPeers[cell] & positions_[digit]) {
    candidates_[peer] &= static_cast<std::uint16_t>(~bit);
    drop_places(peer, digit);
  }
  positions_[digit] = positions_[digit].minus(kPeers[cell]);
}

bool Grid::eliminate(int cell, int digit) {
  if (!has(cell, digit)) return false;
  candidates_[cell] &= static_cast<std::uint16_t>(~(1u << digit));
  positions_[digit].remove(cell);
  drop_places(cell, digit);
  return true;
}

void Grid::set_candidates(int cell, std::uint16_t candidates) {
  if (value_[cell] != 0) return;
  candidates_[cell] = candidates & kAllCandidates;
  for (int digit = 1; digit <= 9; ++digit) {
    if (has(cell, digit)) {
      positions_[digit].add(cell);
      for (const int house : cell_houses(cell)) {
        places_[house][digit] |= static_cast<std::uint16_t>(1u << place_in_house(house, cell));
      }
    } else {
      positions_[digit].remove(cell);
      drop_places(cell, digit);
    }
  }
}

DigitGrid Grid::digits() const {
  DigitGrid digits{};
  for (int cell = 0; cell < 81; ++cell) digits[grid_index(row_of(cell), column_of(cell))] = value_[cell];
  return digits;
}

}  // namespace quorlen::logic
