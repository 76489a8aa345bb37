// The person's solver from start to end, and the rating it gives a puzzle
// on the scale setters quote (Sudoku Explainer's): step by step, the
// searches are asked in one fixed order and the first that finds a step
// supplies it; one step is carried out, then the order starts again.
//
//   ER  the hardest step of the whole solve
//   EP  the hardest step up to the first that places a digit
//   ED  the first step
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "logic/grid.h"
#include "logic/step.h"
#include "logic/workspace.h"

namespace quorlen::logic {

// A rating of 20.0: no technique found a step. Only a grid without
// exactly one solution comes to it.
inline constexpr int kBeyondRating = 200;

struct Rating {
  int er = 0;  // in tenths, as Step::rating
  int ep = 0;
  int ed = 0;
  std::string hardest;  // the step_name of the first step rated er; empty when none
  int steps = 0;
  bool complete = false;  // the grid was filled; er is kBeyondRating when it was not
  friend bool operator==(const Rating&, const Rating&) = default;
};

struct Path {
  std::vector<Step> steps;
  Rating rating;
};

// The step the person's solver takes next on `grid`: the first search in
// the order that finds one. Nothing on a solved grid, or when no technique
// applies.
std::optional<Step> next_step(const Grid& grid, Workspace& work);

// The step carried out: its placements (each striking its digit from the
// peers), then its eliminations.
void apply(Grid& grid, const Step& step);

// Every step from `grid` until it is solved or no technique applies.
Path solve_path(Grid grid, Workspace& work);
// The same, telling `going_on` how many steps are found after each; when
// it answers false the path ends there, incomplete (a caller that gives up
// on a long search).
Path solve_path(Grid grid, Workspace& work, const std::function<bool(std::size_t steps)>& going_on);

// The rating alone: the same steps, their details not kept.
Rating rate(Grid grid, Workspace& work);

}  // namespace quorlen::logic
