// Undo and redo for the whole window: each step keeps the whole state it
// replaced, the board and the view being plain values. A copy of both is
// the simplest history that is exactly right, and at a few kilobytes a
// step, a bounded number of them costs little memory.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "board/board.h"
#include "solver/attempts.h"
#include "view/view.h"

namespace quorlen {

// The puzzle the person is playing, for its clock and the message when it
// is solved: posed by Freeze (or a new puzzle), gone with New and Load.
struct PosedPuzzle {
  std::uint64_t number = 0;        // counts the posings of a window from 1; 0 while none is posed
  bool solved_by_command = false;  // Solve filled the grid: the person did not solve it
  // Quorlen posed it (a new puzzle), so typing cannot change its givens;
  // a puzzle the person freezes keeps them editable (see Sudoku::given_protected).
  bool givens_protected = false;
  friend bool operator==(const PosedPuzzle&, const PosedPuzzle&) = default;
};

// The Solve whose steps go with the grid: the board it started from, and
// its steps once worked out. The Solve command makes the same placements
// from the same board, so the steps can always be worked out again: only
// the state shown keeps them (see Sudoku), so that a step of the history
// costs one more board at most, shared by the steps that follow it.
struct SolveRecord {
  Board start;
  mutable std::shared_ptr<const SolveSteps> steps;
};

struct Snapshot {
  Board board;
  View view;
  PosedPuzzle puzzle;
  std::shared_ptr<const SolveRecord> solve;  // none before a Solve, and after New, Load and Freeze
  // The time the puzzle had been played when the state was left: undo and
  // redo that bring back another puzzle bring back its time too.
  std::chrono::milliseconds played{};
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

class History {
 public:
  // Keeps at most `steps` states: the oldest change falls out of reach
  // first. With 0 it keeps nothing (the command line needs no undo).
  explicit History(std::size_t steps) : limit_(steps) {}

  bool keeps_steps() const { return limit_ > 0; }
  bool can_undo() const { return !undo_.empty(); }
  bool can_redo() const { return !redo_.empty(); }

  // A change has replaced `before`: undo gives it back, and what was undone
  // earlier can no longer be redone.
  void record(Snapshot before);

  // Exchanges `state` (the present) for the one before the last change, or
  // after the last change undone; false, and nothing changed, when there
  // is none.
  bool undo(Snapshot& state);
  bool redo(Snapshot& state);

 private:
  std::size_t limit_;
  std::deque<Snapshot> undo_;  // oldest first; with redo_, never more than limit_ states
  std::vector<Snapshot> redo_;
};

}  // namespace quorlen
