// Playing a puzzle: the person's entries, notes, Check, the finish, undo
// and redo, and the session's options.
#include <utility>

#include "board/grid_rules.h"
#include "solver/complete_search.h"
#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {

bool Sudoku::type_into_cell(int index, std::string_view text) {
  if (given_protected(index)) return false;
  bool taken = false;
  change(By::person, [&] { taken = view_.type_into_cell(index, text); });
  return taken;
}

void Sudoku::clear_cell(int index) {
  if (given_protected(index)) return;
  change(By::person, [&] {
    if (!view_.cell_text(index).empty()) {
      view_.type_into_cell(index, "");
    } else if (view_.cell(index).enabled) {
      view_.set_cell_notes(index, 0);
    }
  });
}

void Sudoku::paste_puzzle(const DigitGrid& digits) {
  change(By::person, [&] {
    for (int index = 0; index < View::kCells; ++index) {
      if (digits[index] == 0 && view_.cell_text(index).empty()) continue;  // nothing to type
      if (given_protected(index)) continue;
      const char digit = static_cast<char>('0' + digits[index]);
      view_.type_into_cell(index, digits[index] != 0 ? std::string_view(&digit, 1) : std::string_view());
    }
  });
}

void Sudoku::toggle_note(int index, int digit) {
  const CellView& cell = view_.cell(index);
  if (digit < 1 || digit > 9 || !cell.enabled || !cell.text.empty()) return;
  change(By::person,
         [&] { view_.set_cell_notes(index, static_cast<std::uint16_t>(cell.notes ^ digit_mask(digit))); });
}

void Sudoku::mnuFillNotes_Click() {
  change(By::command, [this] { fill_in_notes(view_); });
}

void Sudoku::mnuClearNotes_Click() {
  change(By::command, [this] { clear_notes(view_); });
}

// Compares the grid with the givens' one solution. The digits that are not
// the cell's given count, so a given typed over counts too.
void Sudoku::mnuCheck_Click() {
  change(By::command, [this] {
    DigitGrid givens{};
    bool any_given = false;
    for (int n = 1; n <= 81; ++n) {
      givens[n - 1] = static_cast<std::uint8_t>(given_digit(board_, n));
      any_given |= givens[n - 1] != 0;
    }
    DigitGrid solution{};
    const int solutions = any_given ? count_solutions(givens, &solution) : 2;
    if (solutions != 1) {
      show_message(!any_given ? kCheckNoGivens : solutions == 0 ? kCheckNoSolution : kCheckSeveral);
      return;
    }
    int entered = 0;
    int wrong = 0;
    for (int index = 0; index < View::kCells; ++index) {
      const int digit = cell_digit(view_.cell_text(index));
      const bool counted = digit != 0 && digit != givens[index];
      const bool differs = counted && digit != solution[index];
      entered += counted;
      wrong += differs;
      const int others = view_.cell(index).marks & ~kMarkWrong;
      view_.set_cell_marks(index, static_cast<std::uint8_t>(others | (differs ? kMarkWrong : 0)));
    }
    show_message(check_text(entered, wrong));
  });
}

void Sudoku::finish_message() {
  if (puzzle_.number == 0 || puzzle_.number == finished_puzzle_ || puzzle_.solved_by_command) return;
  const DigitGrid digits = shown_digits(view_);
  if (!is_complete_grid(digits, repeated_units(digits))) return;
  for (int n = 1; n <= 81; ++n) {
    if (given_digit(board_, n) != 0 && digits[n - 1] != given_digit(board_, n)) return;
  }
  finished_puzzle_ = puzzle_.number;
  platform_.message_box(finish_text(time_played()));
}

void Sudoku::mnuUndo_Click() {
  close_steps();
  clear_hint();
  resume();
  Snapshot state = snapshot();
  if (history_.undo(state)) restore(std::move(state));
}

void Sudoku::mnuRedo_Click() {
  close_steps();
  clear_hint();
  resume();
  Snapshot state = snapshot();
  if (history_.redo(state)) restore(std::move(state));
}

void Sudoku::restore(Snapshot state) {
  keep_session(state.view);
  if (state.puzzle.number != puzzle_.number) clock_.reset(state.played);
  board_ = std::move(state.board);
  view_ = std::move(state.view);
  puzzle_ = state.puzzle;
  set_solve(std::move(state.solve));
  update_clock();
}

void Sudoku::keep_session(View& view) const {
  view.Check2 = view_.Check2;
  view.options = view_.options;
  view.selected = view_.selected;
}

void Sudoku::set_save_to_file(bool checked) { view_.Check2 = checked; }

void Sudoku::set_play_options(const PlayOptions& options) { view_.options = options; }

void Sudoku::select_cell(int index) { view_.selected = index >= 0 && index < View::kCells ? index : -1; }

}  // namespace quorlen
