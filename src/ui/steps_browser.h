// Browsing the steps of a Solve: the placements grouped by attempt, the
// step chosen, and the grid as it stood right after it. Stepping costs the
// same however many placements the Solve made.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "board/puzzle.h"
#include "solver/attempts.h"
#include "ui/step_telling.h"

namespace quorlen {

// The placements of one attempt of the Solve command, or of its complete
// search, in the order they were made.
struct StepGroup {
  std::size_t first = 0;  // its first placement in SolveSteps::placements
  std::size_t count = 0;
  int attempt = 0;      // 1..200
  bool search = false;  // the complete search's solution
};

class StepsBrowser {
 public:
  // `steps` has at least one placement. The first step of the first group
  // is chosen.
  explicit StepsBrowser(std::shared_ptr<const SolveSteps> steps);

  const SolveSteps& steps() const { return *steps_; }
  // The attempt that ended the Solve (the one that solved it, when it was
  // solved) first, then the earlier ones in order; attempts that placed
  // nothing are left out.
  const std::vector<StepGroup>& groups() const { return groups_; }
  std::size_t group() const { return group_; }
  std::size_t step() const { return step_; }  // in the group, from 0

  // A step of a group; a step past its end is its last.
  void choose(std::size_t group, std::size_t step);
  const Placement& placement(std::size_t step) const;  // a step of the group chosen
  const Placement& placement() const { return placement(step_); }
  // What a step of the group chosen means on its grid: where its run went
  // wrong, or that it came after that.
  const Telling& telling(std::size_t step) const;
  // The grid right after the chosen step.
  const DigitGrid& grid() const { return grid_; }

  // The chooser's text for a group, for example "Attempt 3, which solved
  // the puzzle: 58 steps", "Attempt 1, failed at step 40 of 103" (where
  // its run went wrong; an attempt's two runs may both), "Attempt 2, which
  // solved the puzzle after going wrong at step 30: 99 steps" or "Attempt
  // 2, failed: 1 step".
  std::string caption(std::size_t group) const;
  // A line of the list for a step of the group chosen.
  std::string line(std::size_t step) const;

 private:
  static constexpr std::size_t kCheckpointEvery = 64;

  std::shared_ptr<const SolveSteps> steps_;
  std::vector<StepGroup> groups_;
  std::vector<DigitGrid> checkpoints_;  // [c]: the grid before placement c * kCheckpointEvery
  std::vector<bool> resets_;            // [k]: the grid went back to the givens before placement k
  std::vector<Telling> told_;           // [k]: placement k's telling
  std::size_t group_ = 0;
  std::size_t step_ = 0;
  DigitGrid grid_{};
};

// A line of the list: the step's number from 1 and its sentence, for
// example "12. Row 3, column 5: 7 has no other place in row 3".
std::string step_line(std::size_t step, const Placement& placement, const Telling& telling);

}  // namespace quorlen
