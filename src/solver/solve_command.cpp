#include "solver/solve_command.h"

#include <algorithm>
#include <cstdint>

#include "board/restart.h"
#include "solver/complete_search.h"
#include "solver/solver.h"

namespace quorlen {
namespace {

SolveOutcome outcome_of(const Board& board) {
  if (!board.solvable) return SolveOutcome::not_solvable;
  if (!board.attempt_ok) return SolveOutcome::invalid_givens;
  if (!board.is_complete) return SolveOutcome::cannot_complete;
  return SolveOutcome::solved;
}

// The attempts loop is not a complete search: a guess that failed only
// because an earlier guess was wrong stays excluded for the whole command.
// Before reporting failure, settle the question with a search that is.
bool place_complete_solution(Board& board, Solver& solver) {
  DigitGrid givens{};
  for (int n = 1; n <= 81; ++n) {
    const int given = board.given_value[n];
    givens[n - 1] = static_cast<std::uint8_t>(given == kNotGiven ? 0 : given);
  }
  DigitGrid solution{};
  if (!find_solution(givens, solution)) return false;

  restore_givens(board);
  for (int n = 1; n <= 81; ++n) {
    if (board.given_value[n] != kNotGiven) continue;
    const int mask = digit_mask(solution[n - 1]);
    board.cand_mask[n] = static_cast<std::int16_t>(mask);
    board.placed_digit = 0;
    solver.write_pos(n - 1, mask);
  }
  board.is_valid = true;
  board.is_complete = true;
  board.solvable = true;
  board.attempt_ok = true;
  return true;
}

}  // namespace

AttemptsResult run_attempts(Board& board, View& view, StepLog* log) {
  Solver solver(board, view, log);
  for (int attempt = 1; attempt <= kSolveAttempts; ++attempt) {
    if (!board.attempt_ok) continue;
    solver.main_function();
    if (board.solvable && board.attempt_ok) break;
    restore_givens(board);
    // A grid solved by this run is recognised by the next attempt's first
    // run, which finds it complete.
    solver.main_function();
  }

  const SolveOutcome outcome = outcome_of(board);
  if (outcome != SolveOutcome::not_solvable && outcome != SolveOutcome::cannot_complete) return {outcome, false};
  if (place_complete_solution(board, solver)) return {SolveOutcome::solved, true};
  return {outcome, false};
}

std::string difficulty_caption(std::int32_t difficulty) {
  const char* level = difficulty <= 0   ? " (Easy)"
                      : difficulty == 1 ? " (Medium)"
                      : difficulty == 2 ? " (Difficult)"
                                        : " (Very Difficult)";
  return "Difficulty     : " + std::to_string(difficulty) + level;
}

std::string report_outcome(SolveOutcome outcome, Board& board, View& view) {
  switch (outcome) {
    case SolveOutcome::not_solvable:
      restart_to_givens(board, view);
      return "The sudoku is not solvable";
    case SolveOutcome::invalid_givens:
      return board.message_text;
    case SolveOutcome::cannot_complete:
      restart_to_givens(board, view);
      return "The sudoku is not solvable (can't be completed).";
    case SolveOutcome::solved:
      break;
  }
  // (5 * guesses + passes) / 5, in 64 bits so that no count can overflow it.
  const std::int64_t level = (5 * std::int64_t{board.guess_count} + board.pass_count) / 5;
  board.difficulty = static_cast<std::int32_t>(std::min<std::int64_t>(level, INT32_MAX));
  view.Label1 = difficulty_caption(board.difficulty);
  return "Sudoku Solved";
}

}  // namespace quorlen
