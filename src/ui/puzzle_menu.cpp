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

std::string Sudoku::practice_caption() const {
  return puzzle_posed() && practice_.first == game_.puzzle ? practice_.second : std::string();
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
