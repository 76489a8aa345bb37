#include "ui/hint_session.h"

#include <algorithm>
#include <cctype>

#include "board/grid_rules.h"
#include "board/units.h"
#include "logic/houses.h"
#include "logic/rating.h"
#include "solver/complete_search.h"
#include "ui/outcome_texts.h"
#include "ui/step_texts.h"

namespace quorlen {
namespace {

int logic_cell(int index) { return 9 * (index % 9) + index / 9; }

NextHint told(std::string sentence) {
  NextHint hint;
  hint.sentence = std::move(sentence);
  return hint;
}

}  // namespace

logic::Grid kept_candidates(const DigitGrid& shown, const NoteGrid& notes) {
  logic::Grid grid = logic::Grid::from_digits(shown);
  const bool any_notes = std::any_of(notes.begin(), notes.end(), [](std::uint16_t n) { return n != 0; });
  if (!any_notes) return grid;
  for (int index = 0; index < 81; ++index) {
    const auto i = static_cast<std::size_t>(index);
    if (shown[i] != 0 || notes[i] == 0) continue;
    // A note the digits already rule out is one the person forgot to strike.
    grid.set_candidates(logic_cell(index),
                        static_cast<std::uint16_t>(notes[i] & allowed_digits(shown, index)));
  }
  return grid;
}

NextHint next_hint(const DigitGrid& givens, const DigitGrid& shown, const NoteGrid& notes) {
  DigitGrid solution{};
  if (count_solutions(givens, &solution) == 1) {
    for (int row0 = 0; row0 < 9; ++row0) {
      for (int col0 = 0; col0 < 9; ++col0) {
        const auto i = static_cast<std::size_t>(grid_index(row0, col0));
        if (givens[i] != 0 || shown[i] == 0 || shown[i] == solution[i]) continue;
        NextHint hint = told({});
        hint.kind = HintCase::wrong_digit;
        hint.index = static_cast<int>(i);
        hint.digit = shown[i];
        append_cell_name(hint.sentence, hint.index);
        hint.sentence += ": the " + std::to_string(shown[i]) +
                         " there is wrong; the puzzle's one solution has another digit.";
        return hint;
      }
    }
  }
  const RepeatUnits repeats = repeated_units(shown);
  for (int row0 = 0; row0 < 9; ++row0) {
    for (int col0 = 0; col0 < 9; ++col0) {
      const int index = grid_index(row0, col0);
      const std::uint32_t units = repeats[static_cast<std::size_t>(index)];
      if (units == 0) continue;
      // The row first, as people read a grid, then the column, then the box.
      int unit = 0;
      for (const int kind : {1, 0, 2}) {
        const int candidate =
            kCellUnitIndexes[static_cast<std::size_t>(index + 1)][static_cast<std::size_t>(kind)] + 1;
        if (unit == 0 && (units >> candidate & 1) != 0) unit = candidate;
      }
      std::string sentence =
          unit_name(unit) + " holds " + std::to_string(shown[static_cast<std::size_t>(index)]) + " twice.";
      sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
      return told(std::move(sentence));
    }
  }
  if (std::find(shown.begin(), shown.end(), 0) == shown.end()) return told("Every cell is filled.");
  switch (count_solutions(shown, &solution)) {
    case 0:
      return told("The grid as shown has no solution.");
    case 1:
      break;
    default:
      return told("The grid as shown has more than one solution, so no step follows from it by logic alone.");
  }
  for (int row0 = 0; row0 < 9; ++row0) {
    for (int col0 = 0; col0 < 9; ++col0) {
      const auto i = static_cast<std::size_t>(grid_index(row0, col0));
      if (shown[i] != 0 || notes[i] == 0 || (notes[i] >> solution[i] & 1) != 0) continue;
      NextHint hint =
          told("Your notes in " + rc_name(9 * row0 + col0) + " leave out a digit that belongs there.");
      hint.kind = HintCase::wrong_note;
      hint.index = static_cast<int>(i);
      hint.digit = solution[i];
      return hint;
    }
  }
  NextHint hint;
  hint.grid = kept_candidates(shown, notes);
  logic::Workspace work;
  const std::optional<logic::Step> step = logic::next_step(hint.grid, work);
  if (!step) return told("No technique Quorlen knows finds the next step from here.");
  hint.kind = HintCase::step;
  hint.step = *step;
  return hint;
}

bool HintSession::deeper() {
  if (depth_ >= depths()) return false;
  ++depth_;
  return true;
}

std::string HintSession::text() const {
  if (hint_.kind != HintCase::step) return hint_.sentence;
  switch (depth_) {
    case 1:
      return technique_hint(hint_.step);
    case 2:
      return focus_hint(hint_.step);
    case 3:
      return focus_hint(hint_.step) + " The cells of the pattern are marked.";
    default:
      return technique_sentence(hint_.step, hint_.grid);
  }
}

std::optional<StepPicture> HintSession::picture() const {
  if (hint_.kind != HintCase::step || depth_ < 3) return std::nullopt;
  return picture_of(hint_.grid, hint_.step, true, depth_ >= 4);
}

}  // namespace quorlen
