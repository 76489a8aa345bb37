// The Solve command's work between opening and closing the step log: up to
// 200 solve runs, and a complete search when they give up.
#pragma once

#include <vector>

#include "board/board.h"
#include "solver/solver.h"
#include "view/view.h"

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
};

inline constexpr int kSolveAttempts = 200;

// Up to 200 attempts of main_function, restoring the givens between failed
// runs. When they end in failure, a complete search from the givens decides:
// if the puzzle has a solution after all, it is placed cell by cell through
// write_pos and the outcome is `solved`. `log` as for Solver.
SolveResult run_attempts(Board& board, View& view, std::vector<Placement>* log);

}  // namespace quorlen
