// Full house, hidden single and naked single.
#include <bit>

#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

void fill_single(Step& step, Technique technique, int rating, int cell, int digit, int house) {
  step = Step{};
  step.technique = technique;
  step.rating = rating;
  const Candidate placed{static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)};
  step.placements = {placed};
  step.cells = CellSet::of(cell);
  step.pattern = {placed};
  if (house >= 0) step.houses = {static_cast<std::uint8_t>(house)};
  step.digits = {static_cast<std::uint8_t>(digit)};
}

}  // namespace

bool find_hidden_single(const Grid& grid, Step& step, Workspace&) {
  // Houses with one empty cell first (a full house, 1.0), then any digit
  // with one place in a house: 1.2 in a box, 1.5 in a line.
  for (const bool full_house : {true, false}) {
    for (const int house : kScanOrder) {
      const CellSet empty = grid.empty_cells() & kHouseSet[house];
      if (empty.empty() || (empty.size() == 1) != full_house) continue;
      for (int digit = 1; digit <= 9; ++digit) {
        const unsigned places = grid.places(house, digit);
        if (bit_count(places) != 1) continue;
        const int rating = full_house ? 10 : house_kind(house) == HouseKind::box ? 12 : 15;
        fill_single(step, full_house ? Technique::full_house : Technique::hidden_single, rating,
                    house_cell(house, std::countr_zero(places)), digit, house);
        return true;
      }
    }
  }
  return false;
}

bool find_naked_single(const Grid& grid, Step& step, Workspace&) {
  for (const int cell : grid.empty_cells()) {
    const unsigned candidates = grid.candidates(cell);
    if (candidates != 0 && (candidates & (candidates - 1)) == 0) {
      fill_single(step, Technique::naked_single, 23, cell, __builtin_ctz(candidates), -1);
      return true;
    }
  }
  return false;
}

}  // namespace quorlen::logic
