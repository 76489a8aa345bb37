// What every search does once it has its pattern: the Step filled in, in
// one form whatever the technique (candidates sorted by cell, then digit;
// digits rising), so that the sentences and pictures made from steps never
// depend on the order a search happened to find things in.
#pragma once

#include <algorithm>
#include <bit>
#include <initializer_list>

#include "logic/grid.h"
#include "logic/step.h"

namespace quorlen::logic {

constexpr Candidate candidate(int cell, int digit) {
  return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)};
}

// Bit d of a mask for digit d, as Grid::candidates.
constexpr unsigned digit_bit(int digit) { return 1u << digit; }

// The candidates of `digits` (a mask) that the cells hold.
inline void add_candidates(std::vector<Candidate>& out, const Grid& grid, CellSet cells, unsigned digits) {
  for (const int cell : cells) {
    for (unsigned held = grid.candidates(cell) & digits; held != 0; held &= held - 1) {
      out.push_back(candidate(cell, std::countr_zero(held)));
    }
  }
}

inline Step& begin_step(Step& step, Technique technique, int rating) {
  step = Step{};
  step.technique = technique;
  step.rating = rating;
  return step;
}

inline void add_houses(Step& step, std::initializer_list<int> houses) {
  for (const int house : houses) step.houses.push_back(static_cast<std::uint8_t>(house));
}

inline void set_digits(Step& step, unsigned digits) {
  step.digits.clear();
  for (; digits != 0; digits &= digits - 1)
    step.digits.push_back(static_cast<std::uint8_t>(std::countr_zero(digits)));
}

// Sorts and deduplicates the candidate lists; the cells of the pattern
// become those of its candidates and of anything the step places.
inline void finish_step(Step& step) {
  for (auto* list : {&step.placements, &step.eliminations, &step.pattern}) {
    std::sort(list->begin(), list->end());
    list->erase(std::unique(list->begin(), list->end()), list->end());
  }
  for (const Candidate c : step.pattern) step.cells.add(c.cell);
}

}  // namespace quorlen::logic
