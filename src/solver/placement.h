// A digit the solver placed and why: what one line of the step log records,
// and what an explanation of the Solve command says of it.
#pragma once

#include <cstdint>
#include <vector>

#include "board/puzzle.h"

namespace quorlen {

// The rule behind a placement.
enum class Reason : std::uint8_t {
  cell,    // the placed-digit rule struck the cell's last other candidate
  unit,    // the single-place rule: the digit had no other place in the unit
  guess,   // a guess, in the unit where its digit had the fewest places
  search,  // the complete search's solution, after the attempts gave up
};

struct Why {
  Reason reason = Reason::search;
  std::uint8_t unit =
      0;  // 1..27: the unit whose digits struck, that had one place, or of the guess; 0 for search
  std::uint8_t places = 0;  // a guess: the places its digit had in the unit
  friend bool operator==(Why, Why) = default;
};

struct Placement {
  std::uint8_t index = 0;  // grid index 0..80
  std::uint8_t digit = 0;  // 1..9
  Why why;
  friend bool operator==(Placement, Placement) = default;
};

// The placement sink: what write_pos reports of each digit it places,
// besides the board. The solver knows nothing of the grid on the screen or of
// the step log; the layer above turns this into both once the Solve is over.
// A placement costs one store here, however many a Solve makes.
struct PlacementSink {
  // By grid index, the last digit placed there (0 where none was): what the
  // grid shows of a Solve, failed attempts included, since putting the
  // givens back between attempts touches only the board.
  DigitGrid shown{};
  std::vector<Placement>* log = nullptr;  // every placement with its reason, in order, when not null
};

}  // namespace quorlen
