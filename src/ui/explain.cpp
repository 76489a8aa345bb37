// Hint and Steps: the window tells the next step in four depths and carries
// it out, and shows a Solve step by step.
#include <algorithm>
#include <utility>

#include "board/board.h"
#include "board/grid_rules.h"
#include "board/units.h"
#include "logic/houses.h"
#include "solver/complete_search.h"
#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {

namespace {

NoteGrid notes_of(const Game& game) {
  NoteGrid notes{};
  for (std::size_t i = 0; i < notes.size(); ++i) notes[i] = game.cells[i].notes;
  return notes;
}

}  // namespace

void Sudoku::mnuHint_Click() {
  close_steps();
  resume();
  // Asked again, the same hint tells more, up to all of it.
  if (hint_) {
    view_stale_ = view_stale_ || hint_->deeper();
    return;
  }
  // Before New there is no puzzle, and no cell to point at.
  if (!game_.controls.cells) {
    NextHint none;
    none.sentence = kHintNoPuzzle;
    hint_.emplace(std::move(none));
    return;
  }
  hint_.emplace(next_hint(givens_of(game_.board), shown_digits(game_), notes_of(game_)));
  view_stale_ = true;
  if (hint_->hint().index >= 0) view_.selected = hint_->hint().index;
  if (hint_->hint().kind != HintCase::none && game_.puzzle != 0 && !game_.helped) {
    game_.helped = true;
    unsaved();
  }
}

void Sudoku::mnuApplyHint_Click() {
  close_steps();
  resume();
  if (!game_.controls.cells) {
    mnuHint_Click();
    return;
  }
  const NextHint hint =
      hint_ ? hint_->hint() : next_hint(givens_of(game_.board), shown_digits(game_), notes_of(game_));
  if (hint.kind == HintCase::none) {
    clear_hint();
    hint_.emplace(hint);
    view_stale_ = true;
    return;
  }
  change(By::person, [&] {
    if (game_.puzzle != 0) game_.helped = true;
    const auto cell_of = [this](int index) -> GameCell& {
      return game_.cells[static_cast<std::size_t>(index)];
    };
    switch (hint.kind) {
      case HintCase::wrong_digit:
        type(hint.index, "");
        return;
      case HintCase::wrong_note:
        cell_of(hint.index).notes |= static_cast<std::uint16_t>(digit_mask(hint.digit));
        return;
      default:
        break;
    }
    // The step works on candidates, which a person without notes keeps in
    // their head: they go on the grid first, as Fill in notes puts them.
    const bool any_notes = std::any_of(game_.cells.begin(), game_.cells.end(),
                                       [](const GameCell& cell) { return cell.notes != 0; });
    if (!any_notes) fill_in_notes(game_);
    const auto index_of = [](int cell) { return grid_index(logic::row_of(cell), logic::column_of(cell)); };
    for (const logic::Candidate placed : hint.step.placements) {
      const int index = index_of(placed.cell);
      const char digit = static_cast<char>('0' + placed.digit);
      type(index, std::string_view(&digit, 1));
      strike_notes(game_, index, placed.digit);
    }
    // A cell without notes stands for every digit allowed: it gets them,
    // less the one struck, or the same step would come up again.
    const DigitGrid digits = shown_digits(game_);
    for (const logic::Candidate struck : hint.step.eliminations) {
      const int index = index_of(struck.cell);
      std::uint16_t& notes = cell_of(index).notes;
      if (notes == 0) notes = static_cast<std::uint16_t>(allowed_digits(digits, index));
      notes &= static_cast<std::uint16_t>(~digit_mask(struck.digit));
    }
  });
}

void Sudoku::clear_hint() {
  if (!hint_) return;
  hint_.reset();
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
  work_out_path();
  poll_path();
}

void Sudoku::work_out_path() {
  if (!puzzle_posed() || !path_available()) return;
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
