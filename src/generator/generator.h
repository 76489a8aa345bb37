// Puzzles on demand, graded by the Solve command's own levels, or by the
// person's solver's rating and hardest technique.
//
//   random solved grid -> givens removed in a random order, each only while
//   the puzzle keeps exactly one solution (and, unless it must be minimal,
//   stays within what was asked: a level at most the one asked for, a
//   rating at most the top of the band, no technique beyond the one asked
//   for) -> rated -> a new grid, until the puzzle is as asked.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <random>

#include "board/puzzle.h"
#include "generator/rating.h"
#include "logic/rating.h"
#include "logic/step.h"
#include "solver/difficulty.h"

namespace quorlen {

// A band of the person's solver's rating (ER), in tenths, both ends in it:
// {70, 79} is 7.0 to 7.9.
struct RatingBand {
  int low = 0;
  int high = 0;
  friend bool operator==(const RatingBand&, const RatingBand&) = default;
};

struct PuzzleRequest {
  // The level the Solve command is to give it; nothing: any level (drawn
  // at random unless the puzzle is to be minimal, or a rating or a
  // technique is asked for).
  std::optional<Level> level;
  // No given can be removed without a second solution (with `symmetric`:
  // no given and its partner under a half turn).
  bool minimal = false;
  // The givens are symmetric under a half turn about the centre cell.
  bool symmetric = false;
  // The person's solver's rating (ER) is in this band.
  std::optional<RatingBand> rating;
  // The hardest step of the person's solver (the first step rated ER) is
  // one of this technique.
  std::optional<logic::Technique> technique;
};

struct Puzzle {
  DigitGrid givens{};
  DigitGrid solution{};
  int given_count = 0;
  Rating rating;
  // The person's solver's rating, when a rating or a technique was asked for.
  std::optional<logic::Rating> person;
};

// Whether a technique can be the hardest step of any puzzle: a few are never
// a step of the person's solver's path (see the definition), so a request
// for one could never be met.
bool can_be_hardest(logic::Technique technique);

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
// is seen within one solution count or rating. With `max_grids` (not 0),
// given up too once that many solved grids gave no puzzle as asked: the
// random source then stands where the next call carries on.
std::optional<Puzzle> make_puzzle(const PuzzleRequest& request, std::mt19937_64& random,
                                  const std::function<bool()>& give_up, std::uint64_t max_grids = 0);

}  // namespace quorlen
