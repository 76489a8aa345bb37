// The hint: the next step from the grid as shown (the givens and the
// person's digits), and its reason, without filling anything in.
#pragma once

#include <string>

#include "board/puzzle.h"
#include "solver/placement.h"

namespace quorlen {

enum class HintKind {
  wrong_digit,  // a digit the person typed is not the one solution's
  step,         // the first placement the Solve command makes from the grid: a rule's, or its guess
  none,         // no step to take: the grid is complete, repeats a digit, or has no solution
};

struct Hint {
  HintKind kind = HintKind::none;
  int index = -1;       // the cell to select and mark, by grid index; -1 for none
  Placement placement;  // for `step`: the digit, the reason and its unit
  std::string text;     // one sentence, for a message box or a screen reader
};

// In this order: when the givens have exactly one solution, the first cell
// (row by row) whose typed digit differs from it; otherwise the first
// placement the Solve command's rules make from the grid as shown, exactly
// the first line of `quorlen-solve --explain` for that grid, with its
// sentence (where no rule places a digit, the guess it would make). A grid
// with no solution gets no step.
Hint hint_for(const DigitGrid& givens, const DigitGrid& shown);

}  // namespace quorlen
