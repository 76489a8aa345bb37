// The window logic: the handlers of the window `Sudoku` over its board and
// the state of its controls (the View). No toolkit here: a Qt window or the
// command line shows the View and forwards clicks and typing to these
// handlers; what only a toolkit can do goes through the Platform.
#pragma once

#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "board/board.h"
#include "solver/attempts.h"
#include "solver/difficulty.h"
#include "ui/platform.h"
#include "view/view.h"

namespace quorlen {

class Sudoku {
 public:
  // Runs Form_Load, as the window does when it is created.
  explicit Sudoku(Platform& platform);

  void Form_Load();
  void cmdNew_Click();
  void cmdLoad_Click();
  void cmdSave_Click();
  void cmdFreeze_Click();
  void cmdRestart_Click();
  void CmdSolve_Click();

  // The window's menu. A new puzzle of a level leaves the window as New,
  // typing the puzzle's givens and Freeze would; Count solutions says in a
  // message box whether the digits on the grid have no solution, one, or
  // more than one, and changes nothing.
  void mnuNewPuzzle_Click(Level level);
  void mnuCountSolutions_Click();

  // Load of `path` without its dialog, as a file dropped on the window does.
  void load_file(const std::filesystem::path& path);
  // New, then load_file: a file given to the program when it starts.
  void open_file(const std::filesystem::path& path);

  // Typing into grid cell `index` (0..80): a disabled cell takes nothing.
  bool type_into_cell(int index, std::string_view text) { return view_.type_into_cell(index, text); }

  const View& view() const { return view_; }
  View& view() { return view_; }
  const Board& board() const { return board_; }
  // Whether the last Solve needed the complete search after its attempts.
  bool last_solve_by_search() const { return last_solve_by_search_; }
  // Why the last Solve could not write its step log ("PATH: reason"), or empty.
  const std::string& step_log_error() const { return step_log_error_; }
  // Every placement of the last Solve with its reason, in the step log's
  // order (see SolveSteps); no step before a Solve, and after New, Load or
  // Freeze. Kept as the board the Solve started from, and worked out again
  // when first asked for, so that a Solve costs no more for it.
  const SolveSteps& last_solve_steps() const;

 private:
  // The board and grid emptied, as the window load, New and Load leave them.
  void clear_puzzle(bool cells_enabled);
  void forget_last_solve() {
    last_solve_start_.reset();
    last_solve_steps_.reset();
  }
  // Shows the outcome on the window and returns the message box's text.
  std::string report_outcome(SolveOutcome outcome);

  Platform& platform_;
  std::filesystem::path last_folder_;  // of the file last loaded or saved
  Board board_;
  View view_;
  bool last_solve_by_search_ = false;
  std::optional<Board> last_solve_start_;
  mutable std::optional<SolveSteps> last_solve_steps_;
  std::string step_log_error_;
  std::mt19937_64 random_{std::random_device{}()};  // for new puzzles
};

// What the step log of a Solve with these steps holds.
std::string step_log_records(const SolveSteps& steps);

// Poses a puzzle as a user does: New, each given typed into its cell, Freeze.
void enter_puzzle(Sudoku& window, const DigitGrid& givens);

}  // namespace quorlen
