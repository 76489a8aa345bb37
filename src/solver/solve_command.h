// The logic of the Solve button, between opening and closing the step log.
#pragma once

#include <string>

#include "board/board.h"
#include "files/step_log.h"
#include "ui/view.h"

namespace quorlen {

enum class SolveOutcome {
  solved,
  not_solvable,     // a run's reduction ran into a repeated digit
  invalid_givens,   // the grid repeated a digit before any reduction
  cannot_complete,  // guessing ran out of digits to try
};

struct AttemptsResult {
  SolveOutcome outcome = SolveOutcome::solved;
  bool by_complete_search = false;  // the attempts failed, the search solved it
};

// Up to 200 attempts of main_function, restoring the givens between failed
// runs. When they end in failure, a complete search from the givens decides:
// if the puzzle has a solution after all, it is placed cell by cell through
// write_pos and the outcome is `solved`. Throws StepLogError when logging
// fails.
AttemptsResult run_attempts(Board& board, View& view, StepLog* log);

// Shows the outcome on the window (restart for a failure, the difficulty for
// a solved grid) and returns the text of the Solve command's message box.
std::string report_outcome(SolveOutcome outcome, Board& board, View& view);

// "Difficulty     : N (Level)" for the counts of a solved puzzle.
std::string difficulty_caption(std::int32_t difficulty);

inline constexpr int kSolveAttempts = 200;
inline constexpr const char* kUnableToWrite = "Unable to write to the file.";

}  // namespace quorlen
