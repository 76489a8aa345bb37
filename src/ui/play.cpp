// Playing a puzzle: the person's entries, notes, Check, the finish, undo
// and redo, and the session's options.
#include <utility>

#include "board/grid_rules.h"
#include "solver/complete_search.h"
#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {

bool Sudoku::type_into_cell(int index, std::string_view text) {
  bool taken = false;
  change(By::person, [&] { taken = type(index, text); });
  return taken;
}

// What a text box of one character does with typing: the first character
// replaces what it shows, unless it is the same; then Text1_Change keeps it
// only if it is a digit 1..9. A digit that is the cell's given is a given
// again; any other is the person's. A protected given takes nothing.
bool Sudoku::type(int index, std::string_view text) {
  if (!game_.controls.cells || given_protected(index)) return false;
  GameCell& cell = game_.cells[static_cast<std::size_t>(index)];
  const std::string_view typed = text.substr(0, 1);
  const char shown = static_cast<char>('0' + cell.digit);
  if (cell.digit != 0 ? typed == std::string_view(&shown, 1) : typed.empty()) return true;
  const int digit = cell_digit(typed);
  cell.digit = static_cast<std::uint8_t>(digit);
  cell.owner = digit == 0                                     ? DigitOwner::none
               : digit == given_digit(game_.board, index + 1) ? DigitOwner::given
                                                              : DigitOwner::person;
  return true;
}

void Sudoku::clear_cell(int index) {
  change(By::person, [&] {
    GameCell& cell = game_.cells[static_cast<std::size_t>(index)];
    if (cell.digit != 0) {
      type(index, "");
    } else if (game_.controls.cells) {
      cell.notes = 0;
    }
  });
}

void Sudoku::paste_puzzle(const DigitGrid& digits) {
  change(By::person, [&] {
    for (int index = 0; index < 81; ++index) {
      const auto i = static_cast<std::size_t>(index);
      if (digits[i] == 0 && game_.cells[i].digit == 0) continue;  // nothing to type
      const char digit = static_cast<char>('0' + digits[i]);
      type(index, digits[i] != 0 ? std::string_view(&digit, 1) : std::string_view());
    }
  });
}

void Sudoku::toggle_note(int index, int digit) {
  const GameCell& cell = game_.cells[static_cast<std::size_t>(index)];
  if (digit < 1 || digit > 9 || !game_.controls.cells || cell.digit != 0) return;
  change(By::person, [&] {
    game_.cells[static_cast<std::size_t>(index)].notes ^= static_cast<std::uint16_t>(digit_mask(digit));
  });
}

void Sudoku::mnuFillNotes_Click() {
  change(By::command, [this] { fill_in_notes(game_); });
}

void Sudoku::mnuClearNotes_Click() {
  change(By::command, [this] { clear_notes(game_); });
}

// Compares the grid with the givens' one solution. The digits that are not
// the cell's given count, so a given typed over counts too.
void Sudoku::mnuCheck_Click() {
  change(By::command, [this] {
    const DigitGrid givens = givens_of(game_.board);
    const bool any_given = std::any_of(givens.begin(), givens.end(), [](std::uint8_t d) { return d != 0; });
    DigitGrid solution{};
    const int solutions = any_given ? count_solutions(givens, &solution) : 2;
    if (solutions != 1) {
      show_message(!any_given ? kCheckNoGivens : solutions == 0 ? kCheckNoSolution : kCheckSeveral);
      return;
    }
    int entered = 0;
    int wrong = 0;
    for (std::size_t i = 0; i < 81; ++i) {
      GameCell& cell = game_.cells[i];
      const bool counted = cell.digit != 0 && cell.digit != givens[i];
      cell.wrong = counted && cell.digit != solution[i];
      entered += counted;
      wrong += cell.wrong;
    }
    show_message(check_text(entered, wrong));
  });
}

void Sudoku::finish_message() {
  if (game_.puzzle == 0 || game_.finished || game_.solved_by_command) return;
  if (!solves(givens_of(game_.board), shown_digits(game_))) return;
  game_.finished = true;
  update_clock();  // stopped before the message, which waits for the person
  bank_time();
  unsaved();
  const std::chrono::milliseconds played = time_played();
  bool best = false;
  if (const int level = game_.level; level >= 0) {
    const bool helped = game_.helped;
    const FileResult<> kept = keeping_.update_statistics(
        [&](Statistics& s) { best = record_finish(s, level, played.count(), helped); });
    if (!kept) show_message(kCannotKeepStatistics + kept.error().message);
  }
  show_message(
      finish_text(played, best ? std::optional<Level>(static_cast<Level>(game_.level)) : std::nullopt));
}

void Sudoku::mnuUndo_Click() {
  close_steps();
  clear_hint();
  resume();
  bank_time();
  Snapshot state{game_, solve_};
  if (history_.undo(state)) restore(std::move(state));
}

void Sudoku::mnuRedo_Click() {
  close_steps();
  clear_hint();
  resume();
  bank_time();
  Snapshot state{game_, solve_};
  if (history_.redo(state)) restore(std::move(state));
}

// The time played, whether help was used, whether it is finished and
// whether its givens are protected belong to the puzzle, not to a step:
// undo within one puzzle keeps them as they are now, and the clock goes on.
// A state of another puzzle brings back that puzzle's time.
void Sudoku::restore(Snapshot state) {
  if (state.game.puzzle != 0 && state.game.puzzle == game_.puzzle) {
    state.game.played_ms = game_.played_ms;
    state.game.helped = game_.helped;
    state.game.finished = game_.finished;
    state.game.givens_protected = game_.givens_protected;
  } else {
    clock_.reset(std::chrono::milliseconds{state.game.played_ms});
  }
  game_ = std::move(state.game);
  set_solve(std::move(state.solve));
  update_clock();
  view_stale_ = true;
  unsaved();
}

void Sudoku::set_save_to_file(bool checked) { view_.Check2 = checked; }

void Sudoku::set_play_options(const PlayOptions& options) { view_.options = options; }

void Sudoku::select_cell(int index) { view_.selected = index >= 0 && index < View::kCells ? index : -1; }

}  // namespace quorlen
