// The window logic: the handlers of the window `Sudoku` over its one board
// and the state of its controls. No toolkit here: a Qt window or the command
// line shows the View and forwards clicks and typing to these handlers.
#pragma once

#include "board/board.h"
#include "ui/platform.h"
#include "ui/view.h"

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

  // Typing into grid cell `index` (0..80): a disabled cell takes nothing.
  bool type_into_cell(int index, std::string_view text) { return view_.type_into_cell(index, text); }

  const View& view() const { return view_; }
  View& view() { return view_; }
  // Whether the last Solve needed the complete search after its attempts.
  bool last_solve_by_search() const { return last_solve_by_search_; }

  const Board& board() const { return board_; }
  Board& board() { return board_; }

 private:
  void clear_board_and_grid();

  Platform& platform_;
  Board board_;
  View view_;
  bool last_solve_by_search_ = false;
};

}  // namespace quorlen
