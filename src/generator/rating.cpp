#include "generator/rating.h"

#include "board/board.h"
#include "solver/attempts.h"

namespace quorlen {

Rating rate_puzzle(const DigitGrid& givens) {
  Board board = posed_board(givens);
  const SolveResult result = run_attempts(board);
  Rating rating;
  rating.solved = result.outcome == SolveOutcome::solved;
  rating.passes = board.pass_count;
  rating.guesses = board.guess_count;
  rating.difficulty = difficulty_of(board.pass_count, board.guess_count);
  rating.level = level_of(rating.difficulty);
  return rating;
}

}  // namespace quorlen
