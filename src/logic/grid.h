// The person's view of a puzzle: the digits placed and the candidates of
// every empty cell. Candidates only shrink, by placements and
// eliminations; they are never worked out again from the digits, as a
// person working with pencil marks does not redo them either.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "board/puzzle.h"
#include "logic/cell_set.h"
#include "logic/houses.h"

namespace quorlen::logic {

// Candidate masks hold bit d for digit d (1..9), as the rest of the program's.
inline constexpr std::uint16_t kAllCandidates = 0x3FE;

class Grid {
 public:
  // An empty grid: every cell empty with all nine candidates.
  Grid();

  // The givens by grid index (down the columns, as board/puzzle.h has
  // them); every empty cell gets the digits no given in its row, column or
  // box rules out.
  static Grid from_digits(const DigitGrid& digits);
  // The same from a puzzle string; nothing when it is not one.
  static std::optional<Grid> from_string(std::string_view text);

  int value(int cell) const { return value_[cell]; }
  // The candidates of an empty cell (bit d for digit d); 0 for a filled one.
  std::uint16_t candidates(int cell) const { return candidates_[cell]; }
  bool has(int cell, int digit) const { return (candidates_[cell] >> digit & 1) != 0; }
  // The empty cells where `digit` is still a candidate.
  CellSet positions(int digit) const { return positions_[digit]; }
  // The same within one house, as a 9-bit mask of places (bit i: the
  // house's cell i in reading order, see houses.h); kept up to date, since
  // the searches ask it more than anything else.
  unsigned places(int house, int digit) const { return places_[house][digit]; }
  // How many cells hold `digit` as their value.
  int placed_count(int digit) const { return placed_count_[digit]; }
  CellSet empty_cells() const { return empty_; }
  bool solved() const { return empty_.empty(); }

  // The digit goes into the cell; the cell loses its candidates and the
  // digit leaves its 20 peers' candidates.
  void place(int cell, int digit);
  // One candidate struck; false when it was not there.
  bool eliminate(int cell, int digit);
  // A cell's candidates set as they are given (a person's notes); a filled
  // cell is left as it is.
  void set_candidates(int cell, std::uint16_t candidates);

  // The digits by grid index, as the rest of the program holds them.
  DigitGrid digits() const;

  friend bool operator==(const Grid&, const Grid&) = default;

 private:
  void drop_places(int cell, int digit);

  std::array<std::uint8_t, 81> value_{};
  std::array<std::uint16_t, 81> candidates_{};
  std::array<CellSet, 10> positions_{};                     // by digit; [0] unused
  std::array<std::array<std::uint16_t, 10>, 27> places_{};  // by house, then digit
  std::array<std::uint8_t, 10> placed_count_{};
  CellSet empty_;
};

}  // namespace quorlen::logic
