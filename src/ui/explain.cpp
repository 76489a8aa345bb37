// Hint and Steps: the window tells the next step and its reason, and shows
// a Solve step by step.
#include <utility>

#include "solver/complete_search.h"
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
  if (steps_open_) {
    close_steps();
    return;
  }
  clear_hint();
  resume();
  std::shared_ptr<const SolveSteps> steps = solve_steps();
  const bool solved = steps && !steps->placements.empty();
  if (!solved && !puzzle_posed()) {
    platform_.message_box(kNoSteps);
    return;
  }
  if (!solved && !path_available()) {
    platform_.message_box(kNoPathSteps);
    return;
  }
  steps_open_ = true;
  if (solved) browser_.emplace(std::move(steps));
  if (!solved) show_path();
  view_stale_ = true;
}

void Sudoku::choose_step(std::size_t group, std::size_t step) {
  if (!browser_) return;
  on_path_ = false;
  browser_->choose(group, step);
  view_stale_ = true;
}

void Sudoku::close_steps() {
  if (!steps_open_) return;
  steps_open_ = on_path_ = false;
  browser_.reset();
  path_.reset();
  view_stale_ = true;
}

bool Sudoku::path_available() const {
  if (!puzzle_posed()) return false;
  const DigitGrid givens = givens_of(game_.board);
  if (!one_solution_ || one_solution_->first != givens)
    one_solution_.emplace(givens, count_solutions(givens) == 1);
  return one_solution_->second;
}

void Sudoku::show_path() {
  if (!steps_open_ || !path_available()) return;
  on_path_ = true;
  view_stale_ = true;
  if (path_) return;
  const DigitGrid givens = givens_of(game_.board);
  if (!path_work_ || path_work_->givens() != givens) {
    // Work on other givens finishes the step it is on by itself, so that
    // the window does not wait for it.
    if (path_work_ && !path_work_->result()) {
      path_work_->stop();
      retired_.push_back(std::move(path_work_));
    }
    path_work_ = std::make_unique<PathWork>(givens);
  }
  poll_path();
}

void Sudoku::choose_path(std::size_t row, std::optional<std::size_t> step) {
  if (!steps_open_ || !path_) return;
  on_path_ = true;
  path_->choose(row, step);
  view_stale_ = true;
}

bool Sudoku::poll_path(bool wait) {
  std::erase_if(retired_, [](const std::unique_ptr<PathWork>& work) { return work->result() != nullptr; });
  if (!path_pending() || !path_work_) return false;
  std::shared_ptr<const PersonPath> path = wait ? path_work_->wait() : path_work_->result();
  if (!path) return false;
  path_.emplace(std::move(path));
  view_stale_ = true;
  return true;
}

}  // namespace quorlen
