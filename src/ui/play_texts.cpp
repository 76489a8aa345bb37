#include "ui/play_texts.h"

#include <vector>

#include "board/board.h"
#include "board/grid_rules.h"
#include "board/units.h"

namespace quorlen {
namespace {

// "row 3", "row 3 and column 5", "row 3, column 5 and 3x3 box 2".
std::string units_text(std::uint32_t units) {
  std::vector<std::string> names;
  for (const UnitKind kind : {UnitKind::row, UnitKind::column, UnitKind::box}) {
    for (int unit = 1; unit <= 27; ++unit) {
      if (unit_kind(unit) == kind && (units >> unit & 1) != 0)
        names.push_back(std::string(unit_kind_word(kind)) + " " + std::to_string(unit_index(unit)));
    }
  }
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  return text;
}

const char* whose(DigitOwner owner) {
  return owner == DigitOwner::given    ? "a given"
         : owner == DigitOwner::solver ? "the solver's digit"
                                       : "your digit";
}

}  // namespace

std::string check_text(int entered, int wrong) {
  if (entered == 0) return "The grid shows no digits besides the givens.";
  const char* verdict = wrong == 0 ? "right." : "wrong.";
  if (entered == 1) return std::string("The 1 digit besides the givens is ") + verdict;
  const std::string digits = std::to_string(entered) + " digits besides the givens ";
  if (wrong == 0 || wrong == entered) return "All " + digits + "are " + verdict;
  return std::to_string(wrong) + " of the " + digits + (wrong == 1 ? "is" : "are") + " wrong.";
}

std::string time_text(std::chrono::milliseconds time) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time).count();
  const std::string rest = std::to_string(seconds % 60);
  return std::to_string(seconds / 60) + ":" + (rest.size() == 1 ? "0" : "") + rest;
}

std::string level_text(const Rating& rating) {
  if (!rating.solved) return "The givens have no solution";
  return std::string(level_name(rating.level)) + ", difficulty " + std::to_string(rating.difficulty);
}

std::string finish_text(std::chrono::milliseconds taken, std::optional<Level> best) {
  std::string text = "You solved the puzzle in " + time_text(taken) + ".";
  if (best)
    text += " That is your best time for " + std::string(*best == Level::easy ? "an " : "a ") +
            std::string(level_name(*best)) + " puzzle.";
  return text;
}

std::array<std::string, View::kCells> cell_descriptions(const View& view) {
  const DigitGrid digits = shown_digits(view);
  const RepeatUnits repeats = repeated_units(digits);
  const auto marks = cell_marks(view);
  std::array<std::string, View::kCells> texts;
  for (int index = 0; index < View::kCells; ++index) {
    const CellView& cell = view.cell(index);
    std::string& text = texts[index];
    const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (digits[index] != 0) {
      add(whose(cell.owner));
      if (marks[index] & kMarkRepeat)
        add("repeats the " + std::to_string(digits[index]) + " in " + units_text(repeats[index]));
      if (marks[index] & kMarkWrong) add("wrong");
    } else if (cell.notes != 0) {
      std::string notes = "notes";
      for (int digit = 1; digit <= 9; ++digit)
        if (cell.notes & digit_mask(digit)) notes += " " + std::to_string(digit);
      add(notes);
    }
    if (marks[index] & kMarkHint) add("the hint's cell");
    if (marks[index] & kMarkStep)
      add(marks[index] & kMarkGuess ? "the step shown, a guess" : "the step shown");
  }
  return texts;
}

}  // namespace quorlen
