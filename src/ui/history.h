// Undo and redo for the whole window: each step keeps the whole game it
// replaced, a plain value. A copy is the simplest history that is exactly
// right, and at about a kilobyte a step, a bounded number of them costs
// little memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "board/board.h"
#include "game/game.h"
#include "solver/attempts.h"

namespace quorlen {

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
  Game game;
  std::shared_ptr<const SolveRecord> solve;  // none before a Solve, and after New, Load and Freeze
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

  // What undo steps back through, oldest first, and what redo brings back,
  // the next first: the history as a game file keeps it.
  std::vector<Snapshot> earlier() const { return {undo_.begin(), undo_.end()}; }
  std::vector<Snapshot> later() const { return {redo_.rbegin(), redo_.rend()}; }
  // Puts these in place of the history; past the bound, the oldest fall out
  // of reach.
  void replace(std::vector<Snapshot> earlier, std::vector<Snapshot> later);

 private:
  std::size_t limit_;
  std::deque<Snapshot> undo_;  // oldest first; with redo_, never more than limit_ states
  std::vector<Snapshot> redo_;
};

}  // namespace quorlen
