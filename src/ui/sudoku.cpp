// The board commands: the window load, New, Freeze and Restart; the
// changes that every handler runs as; and the view drawn from the game.
#include "ui/sudoku.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "board/grid_rules.h"
#include "generator/rating.h"
#include "solver/complete_search.h"
#include "ui/game_view.h"
#include "ui/play_texts.h"

namespace quorlen {
namespace {

bool has_notes_or_marks(const Game& game) {
  return std::any_of(game.cells.begin(), game.cells.end(),
                     [](const GameCell& cell) { return cell.notes != 0 || cell.wrong; });
}

}  // namespace

Sudoku::Sudoku(Platform& platform, std::size_t history_steps) : platform_(platform), history_(history_steps) {
  Form_Load();
}

void Sudoku::change(By by, const std::function<void()>& body) {
  if (changing_) {
    body();
    return;
  }
  // A step shown is a picture, and a paused grid is hidden: the person's
  // entries cannot change them, and a command acts on the grid as it was.
  if ((steps_open_ || paused_) && by == By::person) return;
  close_steps();
  clear_hint();
  resume();
  changing_ = true;
  bank_time();
  aids_before_ = has_notes_or_marks(game_);
  if (aids_before_) digits_before_ = shown_digits(game_);
  std::optional<Snapshot> before;
  if (history_.keeps_steps()) before = Snapshot{game_, solve_};
  body();
  settle();
  changing_ = false;
  view_stale_ = true;
  if (!before || !(before->game == game_)) {
    if (before) history_.record(std::move(*before));
    unsaved();
  }
  if (by == By::person) finish_message();
  update_clock();
}

// Only what the change began with can need it: no handler that adds notes
// or marks places digits. So a grid without them, as the command line's
// always is, costs nothing here.
void Sudoku::settle() {
  if (!aids_before_) return;
  for (int index = 0; index < 81; ++index) {
    GameCell& cell = game_.cells[static_cast<std::size_t>(index)];
    if (cell.digit == digits_before_[static_cast<std::size_t>(index)]) continue;
    cell.wrong = false;
    if (cell.digit != 0) strike_notes(game_, index, cell.digit);
  }
  digits_before_ = shown_digits(game_);
}

void Sudoku::show_message(const std::string& text) {
  if (changing_) settle();
  view_stale_ = true;
  platform_.message_box(text);
}

const View& Sudoku::view() const {
  if (view_stale_) refresh_view();
  return view_;
}

// The game, or the step of a Solve shown in its place, and the hint's mark.
void Sudoku::refresh_view() const {
  show_game(game_, view_);
  if (path_chosen()) {
    if (path_) show_path_step(*path_, view_);
  } else if (browser_) {
    show_step(*browser_, view_);
  }
  if (const int at = hint_ ? hint_->hint().index : -1; at >= 0)
    view_.set_cell_marks(at, static_cast<std::uint8_t>(view_.cell(at).marks | kMarkHint));
  view_stale_ = false;
}

void Sudoku::clear_puzzle(bool cells_enabled) {
  clear_board(game_.board);
  game_.cells.fill(GameCell{});
  game_.controls.cells = cells_enabled;
  game_.label1.clear();
  const Game none;
  game_.puzzle = none.puzzle;
  game_.level = none.level;
  game_.givens_protected = none.givens_protected;
  game_.played_ms = none.played_ms;
  game_.helped = none.helped;
  game_.solved_by_command = none.solved_by_command;
  game_.finished = none.finished;
  clock_.reset();
  forget_last_solve();
}

// Every cell locked until New; only New can be pressed.
void Sudoku::Form_Load() {
  clear_puzzle(false);
  view_.Check2 = false;
  view_stale_ = true;
}

void Sudoku::cmdNew_Click() {
  change(By::command, [this] {
    clear_puzzle(true);
    Controls& k = game_.controls;
    k.freeze = true;
    k.load = true;
    k.solve = false;
    k.restart = false;
    k.save = true;
  });
}

void Sudoku::cmdFreeze_Click() {
  change(By::command, [this] {
    freeze_givens();
    pose(false);
  });
}

// The digits on the grid become the givens. Nothing is locked: the user may
// change digits and freeze again.
void Sudoku::freeze_givens() {
  forget_last_solve();
  for (int n = 1; n <= 81; ++n) {
    GameCell& cell = game_.cells[static_cast<std::size_t>(n - 1)];
    game_.board.given_value[n] = static_cast<std::int16_t>(cell.digit != 0 ? cell.digit : kNotGiven);
    if (cell.digit != 0) cell.ink = CellInk::given;
    // Check's marks were measured against the givens that go now.
    cell.wrong = false;
  }
  game_.controls.restart = true;
  game_.controls.solve = true;
  game_.controls.save = true;
  restore_givens_shown();  // puts the givens into cell_value
}

void Sudoku::pose(bool givens_protected, const std::optional<Rating>& known) {
  game_.puzzle = random_() | 1;  // never 0, which means none
  if (known) rating_.emplace(game_.puzzle, *known);
  game_.level = posed_level(known);
  game_.givens_protected = givens_protected;
  game_.played_ms = 0;
  game_.helped = false;
  game_.solved_by_command = false;
  // A puzzle posed whole leaves the person nothing to solve.
  const DigitGrid digits = shown_digits(game_);
  game_.finished = std::find(digits.begin(), digits.end(), 0) == digits.end();
  clock_.reset();
  if (const int level = game_.level; level >= 0 && !game_.finished) {
    if (const FileResult<> kept =
            keeping_.update_statistics([level](Statistics& s) { record_start(s, level); });
        !kept)
      show_message(kCannotKeepStatistics + kept.error().message);
  }
}

int Sudoku::posed_level(const std::optional<Rating>& known) const {
  if (known) return static_cast<int>(known->level);
  if (!keeping_.keeps_statistics() || count_solutions(givens_of(game_.board)) != 1) return -1;
  return static_cast<int>(posed_rating().level);
}

const Rating& Sudoku::posed_rating() const {
  if (!rating_ || rating_->first != game_.puzzle)
    rating_.emplace(game_.puzzle, rate_puzzle(givens_of(game_.board)));
  return rating_->second;
}

// The board and the grid back to the givens, and no notes left.
void Sudoku::cmdRestart_Click() {
  change(By::command, [this] {
    restore_givens_shown();
    clear_notes(game_);
  });
}

// Givens show in the given colour; the other cells are emptied and keep
// their colour.
void Sudoku::restore_givens_shown() {
  restore_givens(game_.board);
  reset_solve_state(game_.board);
  for (int n = 1; n <= 81; ++n) {
    GameCell& cell = game_.cells[static_cast<std::size_t>(n - 1)];
    const int given = given_digit(game_.board, n);
    cell.digit = static_cast<std::uint8_t>(given);
    cell.owner = given != 0 ? DigitOwner::given : DigitOwner::none;
    if (given != 0) cell.ink = CellInk::given;
  }
}

void Sudoku::enter_puzzle(const DigitGrid& givens) {
  change(By::command, [&] {
    cmdNew_Click();
    paste_puzzle(givens);
    cmdFreeze_Click();
  });
}

void Sudoku::pose_puzzle(const DigitGrid& givens, const std::optional<Rating>& rating) {
  change(By::command, [&] {
    cmdNew_Click();
    paste_puzzle(givens);
    freeze_givens();
    game_.label4.clear();
    pose(true, rating);
  });
}

bool Sudoku::given_protected(int index) const {
  return puzzle_posed() && (game_.givens_protected || view_.options.protect_givens) &&
         given_digit(game_.board, index + 1) != 0;
}

void Sudoku::update_clock() { clock_.run(clock_due() && !paused_, platform_.now()); }

void Sudoku::mnuPause_Click() {
  if (!can_pause()) return;
  close_steps();
  clear_hint();  // it would tell what the pause hides
  paused_ = !paused_;
  update_clock();
  // The time at the pause is kept for Continue now, not at the next minute.
  if (paused_) unsaved();
}

void Sudoku::resume() {
  if (!paused_) return;
  paused_ = false;
  update_clock();
}

}  // namespace quorlen
