// The board commands: the window load, New, Freeze and Restart.
#include "ui/sudoku.h"

#include <string>

namespace quorlen {

Sudoku::Sudoku(Platform& platform) : platform_(platform) { Form_Load(); }

void Sudoku::clear_puzzle(bool cells_enabled) {
  clear_board(board_);
  clear_grid(view_, cells_enabled);
  view_.Label1.clear();
  forget_last_solve();
}

// Every cell locked until New; only New can be pressed.
void Sudoku::Form_Load() {
  clear_puzzle(false);
  view_.Check2 = false;
}

void Sudoku::cmdNew_Click() {
  clear_puzzle(true);
  view_.cmdFreeze = true;
  view_.cmdLoad = true;
  view_.CmdSolve = false;
  view_.cmdRestart = false;
  view_.cmdSave = true;
}

// The digits on the grid become the givens. Nothing is locked: the user may
// change digits and freeze again.
void Sudoku::cmdFreeze_Click() {
  forget_last_solve();
  for (int n = 1; n <= 81; ++n) {
    const int digit = cell_digit(view_.cell_text(n - 1));
    board_.given_value[n] = static_cast<std::int16_t>(digit != 0 ? digit : kNotGiven);
    if (digit != 0) view_.set_cell_colour(n - 1, kGivenColour);
  }
  view_.cmdRestart = true;
  view_.CmdSolve = true;
  view_.cmdSave = true;
  cmdRestart_Click();  // puts the givens into cell_value
}

// The board and the grid back to the givens. Givens show in the given
// colour; the other cells are emptied and keep their colour.
void Sudoku::cmdRestart_Click() {
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

void enter_puzzle(Sudoku& window, const DigitGrid& givens) {
  window.cmdNew_Click();
  for (int index = 0; index < View::kCells; ++index) {
    const char digit = static_cast<char>('0' + givens[index]);
    if (givens[index] != 0) window.type_into_cell(index, std::string_view(&digit, 1));
  }
  window.cmdFreeze_Click();
}

}  // namespace quorlen
