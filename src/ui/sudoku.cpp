// The board commands: the window load, New, Freeze and Restart; and the
// changes that every handler runs as.
#include "ui/sudoku.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace quorlen {

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
  if ((browser_ || paused_) && by == By::person) return;
  close_steps();
  clear_hint();
  resume();
  changing_ = true;
  aids_before_ = has_notes_or_marks(view_);
  if (aids_before_) digits_before_ = shown_digits(view_);
  std::optional<Snapshot> before;
  if (history_.keeps_steps()) before = snapshot();
  body();
  settle();
  changing_ = false;
  if (before && !(before->board == board_ && before->view == view_ && before->puzzle == puzzle_))
    history_.record(std::move(*before));
  if (by == By::person) finish_message();
  update_clock();
}

// Only what the change began with can need it: no handler that adds notes
// or marks places digits. So a grid without them, as the command line's
// always is, costs nothing here.
void Sudoku::settle() {
  if (!aids_before_) return;
  const DigitGrid digits = shown_digits(view_);
  for (int index = 0; index < View::kCells; ++index) {
    if (digits[index] == digits_before_[index]) continue;
    view_.set_cell_marks(index, static_cast<std::uint8_t>(view_.cell(index).marks & ~kMarkWrong));
    if (digits[index] != 0) strike_notes(view_, index, digits[index]);
  }
}

void Sudoku::show_message(const std::string& text) {
  if (changing_) settle();
  platform_.message_box(text);
}

void Sudoku::clear_puzzle(bool cells_enabled) {
  clear_board(board_);
  clear_grid(view_, cells_enabled);
  view_.Label1.clear();
  puzzle_ = {};
  clock_.reset();
  forget_last_solve();
}

// Every cell locked until New; only New can be pressed.
void Sudoku::Form_Load() {
  clear_puzzle(false);
  view_.Check2 = false;
}

void Sudoku::cmdNew_Click() {
  change(By::command, [this] {
    clear_puzzle(true);
    view_.cmdFreeze = true;
    view_.cmdLoad = true;
    view_.CmdSolve = false;
    view_.cmdRestart = false;
    view_.cmdSave = true;
  });
}

// The digits on the grid become the givens. Nothing is locked: the user may
// change digits and freeze again.
void Sudoku::cmdFreeze_Click() {
  change(By::command, [this] {
    forget_last_solve();
    for (int n = 1; n <= 81; ++n) {
      const int digit = cell_digit(view_.cell_text(n - 1));
      board_.given_value[n] = static_cast<std::int16_t>(digit != 0 ? digit : kNotGiven);
      if (digit != 0) view_.set_cell_colour(n - 1, kGivenColour);
      // Check's marks were measured against the givens that go now.
      view_.set_cell_marks(n - 1, static_cast<std::uint8_t>(view_.cell(n - 1).marks & ~kMarkWrong));
    }
    view_.cmdRestart = true;
    view_.CmdSolve = true;
    view_.cmdSave = true;
    restore_givens_shown();  // puts the givens into cell_value
    puzzle_ = {++posings_};
    clock_.reset();
    // A puzzle posed whole leaves the person nothing to solve.
    const DigitGrid digits = shown_digits(view_);
    if (std::find(digits.begin(), digits.end(), 0) == digits.end()) finished_puzzle_ = puzzle_.number;
  });
}

// The board and the grid back to the givens, and no notes left.
void Sudoku::cmdRestart_Click() {
  change(By::command, [this] {
    restore_givens_shown();
    clear_notes(view_);
  });
}

// Givens show in the given colour; the other cells are emptied and keep
// their colour.
void Sudoku::restore_givens_shown() {
  restore_givens(board_);
  reset_solve_state(board_);
  for (int n = 1; n <= 81; ++n) {
    const int given = given_digit(board_, n);
    if (given == 0) {
      view_.set_cell_text(n - 1, "");
    } else {
      view_.set_cell_colour(n - 1, kGivenColour);
      view_.set_cell_digit(n - 1, given);
    }
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
    enter_puzzle(givens);
    puzzle_.givens_protected = true;
    view_.Label4.clear();
  });
  if (rating) rating_.emplace(puzzle_.number, *rating);
}

const Rating& Sudoku::posed_rating() const {
  if (!rating_ || rating_->first != puzzle_.number) {
    DigitGrid givens{};
    for (int n = 1; n <= 81; ++n) givens[n - 1] = static_cast<std::uint8_t>(given_digit(board_, n));
    rating_.emplace(puzzle_.number, rate_puzzle(givens));
  }
  return rating_->second;
}

bool Sudoku::given_protected(int index) const {
  return puzzle_posed() && (puzzle_.givens_protected || view_.options.protect_givens) &&
         given_digit(board_, index + 1) != 0;
}

bool Sudoku::clock_due() const {
  return puzzle_posed() && puzzle_.number != finished_puzzle_ && !puzzle_.solved_by_command;
}

void Sudoku::update_clock() {
  const bool runs = clock_due() && !paused_;
  if (runs != clock_.running()) clock_.run(runs, platform_.now());
}

void Sudoku::set_time_played(std::chrono::milliseconds played) {
  clock_.reset(played);
  update_clock();
}

void Sudoku::mnuPause_Click() {
  if (!can_pause()) return;
  close_steps();
  paused_ = !paused_;
  update_clock();
}

void Sudoku::resume() {
  if (!paused_) return;
  paused_ = false;
  update_clock();
}

}  // namespace quorlen
