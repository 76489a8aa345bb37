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
  if (!view_.cell(0).enabled) {
    platform_.message_box(kHintNoPuzzle);
    return;
  }
  DigitGrid givens{};
  for (int n = 1; n <= 81; ++n) givens[n - 1] = static_cast<std::uint8_t>(given_digit(board_, n));
  const Hint hint = hint_for(givens, shown_digits(view_));
  if (hint.index >= 0) {
    view_.set_cell_marks(hint.index, static_cast<std::uint8_t>(view_.cell(hint.index).marks | kMarkHint));
    view_.selected = hint.index;
  }
  platform_.message_box(hint.text + ".");
}

void Sudoku::clear_hint() {
  for (int index = 0; index < View::kCells; ++index) {
    if (view_.cell(index).marks & kMarkHint)
      view_.set_cell_marks(index, static_cast<std::uint8_t>(view_.cell(index).marks & ~kMarkHint));
  }
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
  browsed_view_ = view_;
  browser_.emplace(std::move(steps));
  show_step();
}

void Sudoku::choose_step(std::size_t group, std::size_t step) {
  if (!browser_) return;
  browser_->choose(group, step);
  show_step();
}

void Sudoku::close_steps() {
  if (!browser_) return;
  browser_.reset();
  keep_session(browsed_view_);
  view_ = std::move(browsed_view_);
}

// The solver's grid alone, in the colours Solve gives it: the person's
// notes and marks are not part of it.
void Sudoku::show_step() {
  const SolveSteps& steps = browser_->steps();
  const DigitGrid& grid = browser_->grid();
  for (int index = 0; index < View::kCells; ++index) {
    if (grid[index] == 0) {
      view_.set_cell_text(index, "");
      view_.set_cell_colour(index, kBlack);
    } else {
      view_.set_cell_digit(index, grid[index]);
      view_.set_cell_colour(index, steps.givens[index] != 0 ? kGivenColour : kSolverBlue);
    }
    view_.set_cell_notes(index, 0);
    view_.set_cell_marks(index, 0);
  }
  const Placement& shown = browser_->placement();
  const bool guess = shown.why.reason == Reason::guess;
  view_.set_cell_marks(shown.index, static_cast<std::uint8_t>(kMarkStep | (guess ? kMarkGuess : 0)));
}

}  // namespace quorlen
