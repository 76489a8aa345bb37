// A digit the solver placed and why: what one line of the step log records,
// and what an explanation of the Solve command says of it.
#pragma once

#include <cstdint>

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

}  // namespace quorlen
