// What a placement of the Solve command means on the grid it was made on,
// beyond the reason the solver gives: which of the cell's units struck its
// other candidates, and whether this is where its run went wrong (a digit
// twice in a unit, or an empty cell left with no digit) or came after that.
// The solver records a single unit per placement and never looks back; the
// texts work the rest out from the grid, so the solver stays as fast as it is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "board/puzzle.h"
#include "solver/attempts.h"
#include "solver/placement.h"

namespace quorlen {

enum class Trouble : std::uint8_t {
  none,
  twice,                // the placement put its digit twice into the unit `where` (1..27)
  no_digit,             // it left the empty cell at grid index `where` with no digit possible
  after_guess,          // its run had gone wrong at an earlier step, after a guess
  after_contradiction,  // the same with no guess before: the grid was wrong from the start
};

inline constexpr std::uint8_t kNamesRow = 1;
inline constexpr std::uint8_t kNamesColumn = 2;
inline constexpr std::uint8_t kNamesBox = 4;

struct Telling {
  // For a placement by the placed-digit rule, the units whose digits struck
  // its cell's other candidates (kNames* bits), as few as will do; 0 when
  // the grid does not account for them, and the solver's own unit is named.
  std::uint8_t units = 0;
  Trouble trouble = Trouble::none;
  std::uint8_t where = 0;
  friend bool operator==(Telling, Telling) = default;
};

// The units (1..27) of a cell (1..81): its row, its column and its box, in
// the order the sentences prefer them.
std::array<int, 3> row_column_box(int cell);

// The telling of one placement on the grid just before it.
Telling tell(const DigitGrid& before, const Placement& placement);

// The telling of every placement of a Solve, in order: each run is walked
// on its grid, and after a step that went wrong the rest of its run is
// marked, up to a run that starts from the givens again.
std::vector<Telling> tell_steps(const SolveSteps& steps);

inline bool went_wrong(const Telling& t) {
  return t.trouble == Trouble::twice || t.trouble == Trouble::no_digit;
}
inline bool after_wrong(const Telling& t) {
  return t.trouble == Trouble::after_guess || t.trouble == Trouble::after_contradiction;
}

}  // namespace quorlen
