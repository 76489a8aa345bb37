// Naked and hidden sets: k cells of a house that hold k digits between
// them, or k digits that have only k cells of a house between them.
//
// A house with few empty cells holds a set and its complement at once (in
// five empty cells, a hidden triplet is a naked pair); each kind is looked
// for only where it is the smaller of the two, so the easier name is the
// one given.
#include <bit>

#include "logic/combinations.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

constexpr Technique kNaked[5] = {Technique::naked_single, Technique::naked_single, Technique::naked_pair,
                                 Technique::naked_triplet, Technique::naked_quad};
constexpr int kNakedRating[5] = {0, 0, 30, 36, 50};
constexpr Technique kHidden[5] = {Technique::hidden_single, Technique::hidden_single, Technique::hidden_pair,
                                  Technique::hidden_triplet, Technique::hidden_quad};
constexpr int kHiddenRating[5] = {0, 0, 34, 40, 54};

int empty_count(const Grid& grid, int house) { return (grid.empty_cells() & kHouseSet[house]).size(); }

// The places of a house where any of `digits` (a mask) is a candidate.
unsigned places_of_digits(const Grid& grid, int house, unsigned digits) {
  unsigned places = 0;
  for (; digits != 0; digits &= digits - 1) places |= grid.places(house, std::countr_zero(digits));
  return places;
}

// A hidden set: `digits` (a mask), each with two places or more in the
// house, that have exactly `size` places between them.
struct HiddenSet {
  unsigned digits = 0;
  unsigned places = 0;
};

// Every hidden set of `size` digits of a house, in colex order of digits,
// until visit returns true.
template <typename Visit>
bool for_each_hidden_set(const Grid& grid, int house, int size, Visit visit) {
  unsigned pool = 0;
  for (int digit = 1; digit <= 9; ++digit) {
    const int count = bit_count(grid.places(house, digit));
    if (count >= 2 && count <= size) pool |= digit_bit(digit);
  }
  return for_each_combination(pool, size, [&](unsigned digits) {
    const unsigned places = places_of_digits(grid, house, digits);
    return bit_count(places) == size && visit(HiddenSet{digits, places});
  });
}

void fill_hidden(Step& step, const Grid& grid, int house, const HiddenSet& set) {
  const CellSet cells = cells_at_places(house, set.places);
  add_candidates(step.pattern, grid, cells, set.digits);
  add_houses(step, {house});
  set_digits(step, set.digits);
}

}  // namespace

bool find_naked_set(const Grid& grid, Step& step, Workspace&, int size) {
  for (const int house : kScanOrder) {
    if (empty_count(grid, house) < 2 * size) continue;
    unsigned pool = 0;
    for (int i = 0; i < 9; ++i) {
      const int count = bit_count(unsigned{grid.candidates(house_cell(house, i))});
      if (count >= 2 && count <= size) pool |= 1u << i;
    }
    const bool found = for_each_combination(pool, size, [&](unsigned places) {
      unsigned digits = 0;
      for (unsigned rest = places; rest != 0; rest &= rest - 1) {
        digits |= grid.candidates(house_cell(house, std::countr_zero(rest)));
      }
      if (bit_count(digits) != size) return false;
      const unsigned struck = places_of_digits(grid, house, digits) & ~places;
      if (struck == 0) return false;
      begin_step(step, kNaked[size], kNakedRating[size]).size = static_cast<std::uint8_t>(size);
      add_candidates(step.pattern, grid, cells_at_places(house, places), digits);
      add_candidates(step.eliminations, grid, cells_at_places(house, struck), digits);
      add_houses(step, {house});
      set_digits(step, digits);
      finish_step(step);
      return true;
    });
    if (found) return true;
  }
  return false;
}

bool find_hidden_set(const Grid& grid, Step& step, Workspace&, int size) {
  for (const int house : kScanOrder) {
    if (empty_count(grid, house) <= 2 * size) continue;
    const bool found = for_each_hidden_set(grid, house, size, [&](const HiddenSet& set) {
      const CellSet cells = cells_at_places(house, set.places);
      unsigned others = 0;
      for (const int cell : cells) others |= grid.candidates(cell) & ~set.digits;
      if (others == 0) return false;
      begin_step(step, kHidden[size], kHiddenRating[size]).size = static_cast<std::uint8_t>(size);
      fill_hidden(step, grid, house, set);
      add_candidates(step.eliminations, grid, cells, others);
      finish_step(step);
      return true;
    });
    if (found) return true;
  }
  return false;
}

bool find_direct_hidden_set(const Grid& grid, Step& step, Workspace&, int size) {
  // Striking the other digits from the set's cells leaves one of them a
  // single place in the house: that single is the step.
  for (const int house : kScanOrder) {
    if (empty_count(grid, house) <= size) continue;
    const bool found = for_each_hidden_set(grid, house, size, [&](const HiddenSet& set) {
      for (int digit = 1; digit <= 9; ++digit) {
        if ((set.digits & digit_bit(digit)) != 0) continue;
        const unsigned places = grid.places(house, digit);
        const unsigned left = places & ~set.places;
        if (bit_count(places) < 2 || bit_count(left) != 1) continue;
        const bool pair = size == 2;
        begin_step(step, pair ? Technique::direct_hidden_pair : Technique::direct_hidden_triplet,
                   pair ? 20 : 25)
            .size = static_cast<std::uint8_t>(size);
        fill_hidden(step, grid, house, set);
        const int cell = house_cell(house, std::countr_zero(left));
        step.placements.push_back(candidate(cell, digit));
        step.cells.add(cell);
        finish_step(step);
        return true;
      }
      return false;
    });
    if (found) return true;
  }
  return false;
}

}  // namespace quorlen::logic
