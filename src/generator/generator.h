// Puzzles on demand, graded by the Solve command's own levels.
//
//   random solved grid -> givens removed in a random order, each only while
//   the puzzle keeps exactly one solution (and, unless it must be minimal,
//   its level stays at most the one asked for) -> rated by the Solve
//   command -> a new grid, until the level is the one asked for.
#pragma once

#include <functional>
#include <optional>
#include <random>

#include "board/puzzle.h"
#include "generator/rating.h"
#include "solver/difficulty.h"

namespace quorlen {

struct PuzzleRequest {
  // The level the Solve command is to give it; nothing: any level.
  std::optional<Level> level;
  // No given can be removed without a second solution (with `symmetric`:
  // no given and its partner under a half turn).
  bool minimal = false;
  // The givens are symmetric under a half turn about the centre cell.
  bool symmetric = false;
};

struct Puzzle {
  DigitGrid givens{};
  DigitGrid solution{};
  int given_count = 0;
  Rating rating;
};

// A puzzle with exactly one solution, as asked. Every draw comes from
// `random`, so the same generator state gives the same puzzle anywhere.
//
// Without `minimal`, givens stay where removing them would make the puzzle
// harder than the level asked for: an Easy puzzle keeps the givens a
// person needs to solve it without guessing. Asked for no level, such a
// puzzle's level is drawn at random; a minimal one's is whatever it rates.
Puzzle make_puzzle(const PuzzleRequest& request, std::mt19937_64& random);

// The same, but given up, with nothing made, once `give_up()` is true; it is
// asked before each grid is drawn and before each given is tried, so a stop
// is seen within one solution count or rating.
std::optional<Puzzle> make_puzzle(const PuzzleRequest& request, std::mt19937_64& random,
                                  const std::function<bool()>& give_up);

}  // namespace quorlen
