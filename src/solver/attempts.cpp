#include "solver/attempts.h"

#include <cstdint>

#include "solver/complete_search.h"

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
  for (int n = 1; n <= 81; ++n) givens[n - 1] = static_cast<std::uint8_t>(given_digit(board, n));
  DigitGrid solution{};
  if (!find_solution(givens, solution)) return false;

  restore_givens(board);
  for (int n = 1; n <= 81; ++n) {
    if (given_digit(board, n) == 0) solver.write_pos(n - 1, digit_mask(solution[n - 1]));
  }
  board.is_valid = true;
  board.is_complete = true;
  board.solvable = true;
  board.attempt_ok = true;
  return true;
}

}  // namespace

SolveResult run_attempts(Board& board, View& view, std::vector<Placement>* log) {
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

  SolveResult result{outcome_of(board), false, false};
  if ((result.outcome == SolveOutcome::not_solvable || result.outcome == SolveOutcome::cannot_complete) &&
      place_complete_solution(board, solver)) {
    result = {SolveOutcome::solved, true, false};
  }
  result.guessed = solver.guessed();
  return result;
}

}  // namespace quorlen
