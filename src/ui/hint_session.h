// The hint in four depths, from the person's solver on the grid as the
// person keeps it: their digits, and their notes as the candidates. No
// toolkit here; the window logic keeps one session while the hint shows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "board/puzzle.h"
#include "logic/grid.h"
#include "logic/step.h"
#include "ui/step_picture.h"

namespace quorlen {

// The person's notes by grid index, bit d for digit d.
using NoteGrid = std::array<std::uint16_t, 81>;

// The candidates the person keeps: a cell's notes where it has notes (the
// person's own eliminations count), less the digits its row, column and
// box already hold; where a cell has none, every digit they allow; and
// where no cell of the grid has notes, every digit the digits allow.
logic::Grid kept_candidates(const DigitGrid& shown, const NoteGrid& notes);

// The next thing to tell the person, in this order: a digit of theirs
// that is not the solution's (when the givens have exactly one); a cell
// whose notes leave out the solution's digit; the next step of the
// person's solver on the candidates they keep. Never a guess: that
// solver never guesses. A grid without exactly one solution, a complete
// one, and a grid no technique moves on get a sentence that says so.
enum class HintCase : std::uint8_t { none, wrong_digit, wrong_note, step };

struct NextHint {
  HintCase kind = HintCase::none;
  int index = -1;        // the cell of a wrong digit or note, by grid index
  int digit = 0;         // the wrong digit, or the one the notes leave out
  logic::Grid grid;      // for a step: the candidates it was found on
  logic::Step step;      // and the step
  std::string sentence;  // for all but a step: the whole hint
};

NextHint next_hint(const DigitGrid& givens, const DigitGrid& shown, const NoteGrid& notes);

// One hint as the person asks for it again: a step tells, depth by depth,
//   1  the technique and its rating ("Look for a pointing pair (2.6).")
//   2  its digit and houses ("... on 5, in the top-left box and row 2.")
//   3  the same, the pattern's cells marked on the grid
//   4  the whole step in a sentence, what it places or strikes drawn;
// the other kinds tell everything at once.
class HintSession {
 public:
  explicit HintSession(NextHint hint) : hint_(std::move(hint)) {}

  const NextHint& hint() const { return hint_; }
  int depth() const { return depth_; }
  int depths() const { return hint_.kind == HintCase::step ? 4 : 1; }
  // One depth further; false (and no change) at the last.
  bool deeper();

  // What the panel says at this depth, and the grid's picture (none before
  // depth 3, nor for the other kinds).
  std::string text() const;
  std::optional<StepPicture> picture() const;

 private:
  NextHint hint_;
  int depth_ = 1;
};

}  // namespace quorlen
