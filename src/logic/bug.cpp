// The bivalue universal grave: were every empty cell down to two digits,
// each digit twice in each house it is missing from, the digits could be
// swapped around the whole grid, and a puzzle with one solution cannot
// come to that. The few digits that stand in the way (the BUG digits, in
// the BUG cells) cannot all be false:
//   type 1  one BUG cell: it is one of its BUG digits;
//   type 2  one BUG digit: it is in one of the BUG cells, and what sees
//           them all loses it;
//   type 3  the BUG cells share a house: between them they hold one BUG
//           digit, which makes a naked set with other cells of the house;
//   type 4  two BUG cells in a house sharing one other digit w: w has only
//           those two places there, so one is w and the other its BUG
//           digit, and neither keeps its third digit.
#include <bit>

#include "logic/combinations.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

int candidate_count(const Grid& grid, int cell) { return bit_count(unsigned{grid.candidates(cell)}); }

struct Grave {
  CellSet cells;
  std::array<unsigned, 81> digits{};  // the BUG digits, by cell
  unsigned all_digits = 0;
};

// The BUG cells and digits, when the grid is one such grave away.
bool find_grave(const Grid& grid, Grave& grave) {
  CellSet crowded;  // places of a digit in a house where more than one cell has a third candidate
  unsigned anomalies = 0;
  for (const int house : kScanOrder) {
    for (int digit = 1; digit <= 9; ++digit) {
      const unsigned places = grid.places(house, digit);
      const int count = bit_count(places);
      if (count == 0 || count == 2) continue;
      CellSet wide;
      for (const int cell : cells_at_places(house, places)) {
        if (candidate_count(grid, cell) >= 3) wide.add(cell);
      }
      if (wide.empty()) return false;
      anomalies |= digit_bit(digit);
      if (wide.size() == 1) {
        grave.cells |= wide;
        grave.digits[static_cast<std::size_t>(wide.first())] |= digit_bit(digit);
      } else {
        crowded |= wide;
      }
    }
  }
  if (bit_count(anomalies) == 1) {
    grave.cells |= crowded;
    for (const int cell : crowded) grave.digits[static_cast<std::size_t>(cell)] |= anomalies;
  }
  if (grave.cells.empty()) return false;
  for (const int cell : grave.cells) grave.all_digits |= grave.digits[static_cast<std::size_t>(cell)];
  if (grave.cells.size() > 1 && bit_count(grave.all_digits) > 1 && common_peers(grave.cells).empty()) {
    return false;
  }
  // Without the BUG digits, the grid must be the grave itself.
  std::array<std::uint16_t, 81> left{};
  for (const int cell : grid.empty_cells()) {
    left[static_cast<std::size_t>(cell)] =
        static_cast<std::uint16_t>(grid.candidates(cell) & ~grave.digits[static_cast<std::size_t>(cell)]);
    if (bit_count(unsigned{left[static_cast<std::size_t>(cell)]}) != 2) return false;
  }
  for (int house = 0; house < 27; ++house) {
    std::array<int, 10> count{};
    for (int i = 0; i < 9; ++i) {
      for (unsigned rest = left[static_cast<std::size_t>(house_cell(house, i))]; rest != 0;
           rest &= rest - 1) {
        ++count[static_cast<std::size_t>(std::countr_zero(rest))];
      }
    }
    for (int digit = 1; digit <= 9; ++digit) {
      if (count[static_cast<std::size_t>(digit)] != 0 && count[static_cast<std::size_t>(digit)] != 2)
        return false;
    }
  }
  return true;
}

void fill_bug(Step& step, const Grid& grid, const Grave& grave, int type, int rating) {
  begin_step(step, Technique::bug, rating).kind = static_cast<std::uint8_t>(type);
  for (const int cell : grave.cells) {
    add_candidates(step.pattern, grid, CellSet::of(cell), grave.digits[static_cast<std::size_t>(cell)]);
  }
  set_digits(step, grave.all_digits);
}

bool type4(const Grid& grid, const Grave& grave, Step& step) {
  if (grave.cells.size() != 2) return false;
  const int a = grave.cells.first();
  const int b = grave.cells.minus(CellSet::of(a)).first();
  const unsigned rest_a = grid.candidates(a) & ~grave.digits[static_cast<std::size_t>(a)];
  const unsigned rest_b = grid.candidates(b) & ~grave.digits[static_cast<std::size_t>(b)];
  const unsigned shared = rest_a & rest_b;
  if (bit_count(shared) != 1) return false;
  for (const int house : kScanOrder) {
    if (!kHouseSet[house].contains(grave.cells)) continue;
    fill_bug(step, grid, grave, 4, 57);
    add_candidates(step.pattern, grid, grave.cells, shared);
    add_candidates(step.eliminations, grid, CellSet::of(a), rest_a & ~shared);
    add_candidates(step.eliminations, grid, CellSet::of(b), rest_b & ~shared);
    add_houses(step, {house});
    finish_step(step);
    return true;
  }
  return false;
}

bool type3(const Grid& grid, const Grave& grave, Step& step) {
  for (int size = 2; size <= 6; ++size) {
    for (const int house : kScanOrder) {
      if (!kHouseSet[house].contains(grave.cells)) continue;
      const CellSet others = (grid.empty_cells() & kHouseSet[house]).minus(grave.cells);
      const bool hit = for_each_combination(places_in_house(house, others), size - 1, [&](unsigned places) {
        const CellSet set = cells_at_places(house, places);
        unsigned digits = grave.all_digits;
        for (const int cell : set) digits |= grid.candidates(cell);
        if (bit_count(digits) != size) return false;
        const CellSet rest = others.minus(set);
        bool strikes = false;
        for (const int cell : rest) strikes |= (grid.candidates(cell) & digits) != 0;
        if (!strikes) return false;
        fill_bug(step, grid, grave, 3, 57 + size - 1);
        step.size = static_cast<std::uint8_t>(size);
        add_candidates(step.pattern, grid, set, digits);
        add_candidates(step.eliminations, grid, rest, digits);
        add_houses(step, {house});
        finish_step(step);
        return true;
      });
      if (hit) return true;
    }
  }
  return false;
}

}  // namespace

bool find_bug(const Grid& grid, Step& step, Workspace&) {
  Grave grave;
  if (!find_grave(grid, grave)) return false;
  if (grave.cells.size() == 1) {
    const int cell = grave.cells.first();
    const unsigned struck = grid.candidates(cell) & ~grave.digits[static_cast<std::size_t>(cell)];
    if (struck == 0) return false;
    fill_bug(step, grid, grave, 1, 56);
    add_candidates(step.eliminations, grid, grave.cells, struck);
    finish_step(step);
    return true;
  }
  if (bit_count(grave.all_digits) == 1) {
    const CellSet struck = common_peers(grave.cells) & grid.positions(std::countr_zero(grave.all_digits));
    if (!struck.empty()) {
      fill_bug(step, grid, grave, 2, 57);
      add_candidates(step.eliminations, grid, struck, grave.all_digits);
      finish_step(step);
      return true;
    }
    return type4(grid, grave, step);
  }
  return type4(grid, grave, step) || type3(grid, grave, step);
}

}  // namespace quorlen::logic
