// The Solve command's work between opening and closing the step log: up to
// 200 solve runs, and a complete search when they give up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "board/board.h"
#include "board/puzzle.h"
#include "solver/placement.h"

namespace quorlen {

enum class SolveOutcome {
  solved,
  not_solvable,     // a run's reduction ran into a repeated digit
  invalid_givens,   // the grid repeated a digit before any reduction: see Board::repetition
  cannot_complete,  // guessing ran out of digits to try
};

struct SolveResult {
  SolveOutcome outcome = SolveOutcome::solved;
  bool by_complete_search = false;  // the attempts failed, the search solved it
  bool guessed = false;             // guessing ran at least once
  // By grid index, the last digit the command placed there, 0 where it
  // placed none: what the grid shows of it in the solver's blue (see
  // PlacementSink).
  DigitGrid placed{};
};

inline constexpr int kSolveAttempts = 200;

// Where a run of main_function (or the complete search) began in the
// placements of a Solve. The runs of an attempt go on from the grid the run
// before left, but for those that start from the givens again.
struct RunStart {
  std::uint32_t first = 0;   // the index of its first placement
  std::uint8_t attempt = 0;  // 1..200; the complete search counts as the last attempt
  bool from_givens = false;  // the grid was put back to the givens first
  friend bool operator==(RunStart, RunStart) = default;
};

// Every placement of a Solve command with its reason, in the order of the
// step log, failed attempts included, and what is needed to show the grid
// as it stood at any of them.
struct SolveSteps {
  DigitGrid start{};   // the grid when the command started, by grid index
  DigitGrid givens{};  // the givens, by grid index
  std::vector<Placement> placements;
  std::vector<RunStart> runs;  // in order; the first at 0
  SolveResult result;
};

// The attempt (1..200) of placement `step`.
int attempt_of(const SolveSteps& steps, std::size_t step);
// The grid just before placement `step`, and right after it.
DigitGrid grid_before(const SolveSteps& steps, std::size_t step);
DigitGrid grid_after(const SolveSteps& steps, std::size_t step);

// Up to 200 attempts of main_function, restoring the givens between failed
// runs. When they end in failure, a complete search from the givens decides:
// if the puzzle has a solution after all, it is placed cell by cell through
// write_pos and the outcome is `solved`. `steps`, when not null, receives
// every placement: the Solve command passes it while "Save to File" is
// ticked.
SolveResult run_attempts(Board& board, SolveSteps* steps = nullptr);

// The same over the plain solver of plain_solver.h: the rules alone, slow,
// for tests that hold the speed-ups to it.
SolveResult run_attempts_plain(Board& board, SolveSteps* steps = nullptr);

}  // namespace quorlen
