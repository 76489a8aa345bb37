#include "ui/step_picture.h"

#include "board/units.h"
#include "logic/houses.h"

namespace quorlen {
namespace {

CellPicture& at(StepPicture& picture, int cell) {
  return picture.cells[static_cast<std::size_t>(grid_index(logic::row_of(cell), logic::column_of(cell)))];
}

std::uint16_t bit(int digit) { return static_cast<std::uint16_t>(1u << digit); }

// " 1 4 7" for the digits of a mask.
std::string digits_text(std::uint16_t mask) {
  std::string text;
  for (int digit = 1; digit <= 9; ++digit)
    if (mask & bit(digit)) text += " " + std::to_string(digit);
  return text;
}

}  // namespace

StepPicture candidates_picture(const logic::Grid& grid) {
  StepPicture picture;
  for (int cell = 0; cell < 81; ++cell) {
    CellPicture& shown = at(picture, cell);
    shown.digit = grid.value(cell);
    shown.candidates = grid.candidates(cell);
  }
  return picture;
}

StepPicture picture_of(const logic::Grid& before, const logic::Step& step, bool show_pattern,
                       bool show_result) {
  StepPicture picture = candidates_picture(before);
  if (show_pattern) {
    for (const int cell : step.cells) at(picture, cell).marked = true;
    for (const logic::Candidate candidate : step.pattern) {
      CellPicture& shown = at(picture, candidate.cell);
      shown.marked = true;
      shown.pattern |= bit(candidate.digit);
    }
  }
  if (show_result) {
    for (const logic::Candidate candidate : step.eliminations)
      at(picture, candidate.cell).struck |= bit(candidate.digit);
    for (const logic::Candidate candidate : step.placements)
      at(picture, candidate.cell).placed = candidate.digit;
  }
  return picture;
}

std::string picture_description(const CellPicture& cell) {
  std::string text;
  const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
  if (cell.digit != 0) {
    if (cell.marked) add("in the pattern");
    return text;
  }
  if (cell.candidates != 0) add("candidates" + digits_text(cell.candidates));
  if (cell.pattern != 0) add(digits_text(cell.pattern).substr(1) + " in the pattern");
  if (cell.marked && cell.pattern == 0) add("in the pattern");
  if (cell.struck != 0) add(digits_text(cell.struck).substr(1) + " struck");
  if (cell.placed != 0) add("places " + std::to_string(cell.placed));
  return text;
}

}  // namespace quorlen
