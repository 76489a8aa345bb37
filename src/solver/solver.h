// One solve run and everything it calls, over one board and the grid.
//
//   main_function      validate 27 units, rebuild masks, reduction passes
//                      of `possible` until nothing changes, validate again,
//                      `complete` 27 units, and guess when valid but open
//   guess_function     place one untried guess, then a nested main_function
//   write_pos          put a single-digit mask into the board and the grid
//
// A run reports only through the board's flags and `message_text`.
#pragma once

#include "board/board.h"
#include "files/step_log.h"
#include "ui/view.h"

namespace quorlen {

// Common candidates of two masks among bits 1..9. A negative operand holds
// no digit; an operand of 1024 or more holds all nine.
int latest_pos(int pos, int num);

class Solver {
 public:
  // `log` receives a record per placed digit while Check2 is ticked; it may
  // be null when nothing is to be logged.
  Solver(Board& board, View& view, StepLog* log) : board_(board), view_(view), log_(log) {}

  void main_function();
  void guess_function();

  // Unit operations; the unit number 1..27 is read, never changed.
  void validate(const int& unit);
  void complete(const int& unit);
  void possible(const int& unit);

  // Places the digit of a single-digit mask in grid index `loc` (0..80),
  // in blue, and logs it; any other mask or index changes nothing.
  void write_pos(int loc, int value);

  // Mask intersection as the solver uses it: also leaves pos_counter at 0.
  int intersect(int pos, int num) {
    board_.pos_counter = 0;
    return latest_pos(pos, num);
  }

 private:
  Board& board_;
  View& view_;
  StepLog* log_;
};

}  // namespace quorlen
