#include "ui/hint.h"

#include <cctype>

#include "board/units.h"
#include "solver/attempts.h"
#include "solver/complete_search.h"
#include "ui/outcome_texts.h"

namespace quorlen {
Hint hint_for(const DigitGrid& givens, const DigitGrid& shown) {
  Hint hint;
  if (DigitGrid solution; count_solutions(givens, &solution) == 1) {
    for (int row0 = 0; row0 < 9; ++row0) {
      for (int col0 = 0; col0 < 9; ++col0) {
        const auto i = static_cast<std::size_t>(grid_index(row0, col0));
        if (givens[i] != 0 || shown[i] == 0 || shown[i] == solution[i]) continue;
        hint.kind = HintKind::wrong_digit;
        hint.index = static_cast<int>(i);
        append_cell_name(hint.text, hint.index);
        hint.text += ": the " + std::to_string(shown[i]) +
                     " there is wrong; the puzzle's one solution has another digit";
        return hint;
      }
    }
  }
  // The Solve command on the grid as shown, every digit of it a given.
  Board board = posed_board(shown);
  SolveSteps steps;
  const SolveResult result = run_attempts(board, &steps);
  if (result.outcome == SolveOutcome::invalid_givens) {
    hint.text =
        unit_name(board.repetition.unit) + " holds " + std::to_string(board.repetition.digit) + " twice";
    hint.text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(hint.text[0])));
  } else if (result.outcome != SolveOutcome::solved) {
    hint.text = "The grid as shown has no solution";
  } else if (steps.placements.empty()) {
    hint.text = "Every cell is filled";
  } else {
    hint.kind = HintKind::step;
    hint.placement = steps.placements.front();
    hint.index = hint.placement.index;
    hint.text = step_sentence(hint.placement, tell(shown, hint.placement));
  }
  return hint;
}

}  // namespace quorlen
