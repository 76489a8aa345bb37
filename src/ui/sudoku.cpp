#include "ui/sudoku.h"

#include <string>

#include "board/restart.h"
#include "files/step_log.h"
#include "solver/solve_command.h"

namespace quorlen {

Sudoku::Sudoku(Platform& platform) : platform_(platform) { Form_Load(); }

void Sudoku::Form_Load() {
  Board& b = board_;
  b.unit_mask = 0;
  for (int n = 1; n <= 81; ++n) {
    view_.set_cell_max_length(n - 1, 1);
    view_.set_cell_enabled(n - 1, false);
    b.cand_mask[n] = kAllDigits;
    b.tried_mask[n] = 0;
    view_.set_cell_colour(n - 1, kBlack);
    b.cell_value[n - 1] = kEmptyCell;
  }
  b.is_valid = true;
  b.is_complete = true;
  b.placed_digit = 0;
  b.pass_count = 0;
  b.guess_count = 0;
  b.solvable = true;
  b.attempt_ok = true;
  b.pos_counter = 0;
  view_.Check2 = false;
}

// What New and Load both start from: an empty, unlocked, black grid with no
// givens, and a board with no trace of an earlier solve.
void Sudoku::clear_board_and_grid() {
  Board& b = board_;
  b.unit_mask = 0;
  for (int n = 1; n <= 81; ++n) {
    b.tried_mask[n] = 0;
    view_.set_cell_enabled(n - 1, true);
    view_.set_cell_max_length(n - 1, 1);
    view_.set_cell_text(n - 1, "");
    b.cell_value[n - 1] = kEmptyCell;
    b.cand_mask[n] = kAllDigits;
    view_.set_cell_colour(n - 1, kBlack);
    b.given_value[n] = kNotGiven;
  }
  b.is_valid = true;
  b.is_complete = true;
  b.solvable = true;
  b.pass_count = 0;
  b.guess_count = 0;
  view_.Label1.clear();
  b.attempt_ok = true;
  b.placed_digit = 0;
}

void Sudoku::cmdNew_Click() {
  clear_board_and_grid();
  view_.cmdFreeze = true;
  view_.cmdLoad = true;
  view_.CmdSolve = false;
  view_.cmdRestart = false;
  view_.cmdSave = true;
}

void Sudoku::cmdFreeze_Click() {
  Board& b = board_;
  for (int n = 1; n <= 81; ++n) {
    const std::string& text = view_.cell_text(n - 1);
    // Cell entry admits only texts that begin with a digit 1..9, and that
    // digit is the cell's value.
    if (!text.empty() && text.front() >= '1' && text.front() <= '9') {
      const int v = text.front() - '0';
      b.cand_mask[n] = static_cast<std::int16_t>(digit_mask(v));
      b.given_value[n] = static_cast<std::int16_t>(v);
      b.cell_value[n - 1] = static_cast<std::int16_t>(v);
      view_.set_cell_colour(n - 1, kGivenColour);
    } else {
      b.cell_value[n - 1] = kEmptyCell;
      b.cand_mask[n] = kAllDigits;
      b.given_value[n] = kNotGiven;
    }
  }
  view_.cmdRestart = true;
  view_.CmdSolve = true;
  view_.cmdSave = true;
  cmdRestart_Click();
}

void Sudoku::cmdRestart_Click() { restart_to_givens(board_, view_); }

void Sudoku::CmdSolve_Click() {
  view_.Label4 = "No";
  last_solve_by_search_ = false;
  const bool logging = view_.Check2;
  StepLog log;  // closed on every path when it goes out of scope
  if (logging && !log.open(platform_.program_directory() / "steps.txt")) {
    platform_.message_box(kUnableToWrite);
    return;
  }
  try {
    const AttemptsResult result = run_attempts(board_, view_, logging ? &log : nullptr);
    last_solve_by_search_ = result.by_complete_search;
    // Every record must be in the file before the outcome is reported.
    if (logging && !log.flush()) throw StepLogError("step log flush failed");
    const std::string text = report_outcome(result.outcome, board_, view_);
    platform_.message_box(text);
  } catch (const StepLogError&) {
    log.close();
    platform_.message_box(kUnableToWrite);
  }
}

}  // namespace quorlen
