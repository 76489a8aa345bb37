// Hint and Steps: the window tells the next step and its reason, and shows
// a Solve step by step.
#include <utility>

#include "ui/hint.h"
#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {

void Sudoku::mnuHint_Click() {
  close_steps();
  clear_hint();
  resume();
  // Before New there is no puzzle, and no cell to point at.
  if (!game_.controls.cells) {
    platform_.message_box(kHintNoPuzzle);
    return;
  }
  const Hint hint = hint_for(givens_of(game_.board), shown_digits(game_));
  if (hint.index >= 0) {
    hint_cell_ = hint.index;
    view_.selected = hint.index;
    view_stale_ = true;
    // Being told a step, or a wrong digit, is help with the puzzle.
    if (game_.puzzle != 0 && !game_.helped) {
      game_.helped = true;
      unsaved();
    }
  }
  platform_.message_box(hint.text + ".");
}

void Sudoku::clear_hint() {
  if (hint_cell_ < 0) return;
  hint_cell_ = -1;
  view_stale_ = true;
}

void Sudoku::mnuSteps_Click() {
  if (browser_) {
    close_steps();
    return;
  }
  clear_hint();
  resume();
  std::shared_ptr<const SolveSteps> steps = solve_steps();
  if (!steps || steps->placements.empty()) {
    platform_.message_box(kNoSteps);
    return;
  }
  browser_.emplace(std::move(steps));
  view_stale_ = true;
}

void Sudoku::choose_step(std::size_t group, std::size_t step) {
  if (!browser_) return;
  browser_->choose(group, step);
  view_stale_ = true;
}

void Sudoku::close_steps() {
  if (!browser_) return;
  browser_.reset();
  view_stale_ = true;
}

}  // namespace quorlen
