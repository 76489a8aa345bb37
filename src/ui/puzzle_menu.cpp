// The window's menu: new puzzles and the solution count of the grid.
#include <algorithm>

#include "generator/generator.h"
#include "solver/complete_search.h"
#include "ui/sudoku.h"

namespace quorlen {

void Sudoku::mnuNewPuzzle_Click(Level level) {
  PuzzleRequest request;
  request.level = level;
  const Puzzle puzzle = make_puzzle(request, random_);
  pose_puzzle(puzzle.givens, puzzle.rating);
}

void Sudoku::pose_practice(const PracticeEntry& entry) {
  pose_puzzle(entry.givens);
  practice_ = {game_.puzzle, quorlen::practice_caption(entry.er, entry.technique)};
}

std::string Sudoku::rating_caption() const {
  if (!puzzle_posed()) return {};
  if (practice_.first == game_.puzzle) return practice_.second;
  if (!path_work_ || path_work_->givens() != givens_of(game_.board)) return {};
  const std::shared_ptr<const PersonPath> path = path_work_->result();
  if (!path || !path->path.rating.complete || path->path.rating.steps == 0) return {};
  return "Rating " + logic::rating_text(path->path.rating.er) + ", " + path->path.rating.hardest;
}

void Sudoku::mnuCountSolutions_Click() {
  static constexpr const char* kTexts[] = {
      "The digits on the grid have no solution.",
      "The digits on the grid have exactly one solution.",
      "The digits on the grid have more than one solution.",
  };
  close_steps();
  resume();
  platform_.message_box(kTexts[std::min(count_solutions(shown_digits(game_)), 2)]);
}

}  // namespace quorlen
