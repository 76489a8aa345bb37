#include "ui/outcome_texts.h"

#include <array>

#include "board/units.h"
#include "solver/difficulty.h"

namespace quorlen {

std::string validation_text(const Repetition& r) {
  std::string text =
      "   Validation failed for " + unit_name(r.unit) + " - The number " + std::to_string(r.digit);
  if (unit_kind(r.unit) == UnitKind::box) return text + " is getting repeated.   ";
  return text + " is getting repeated   " + std::to_string(r.first_cell) + "  " +
         std::to_string(r.second_cell);
}

std::string difficulty_caption(std::int32_t difficulty) {
  return "Difficulty     : " + std::to_string(difficulty) + " (" +
         std::string(level_name(level_of(difficulty))) + ")";
}

std::string guessed_caption(std::int32_t guesses) { return "Yes  " + std::to_string(guesses); }

namespace {

// The names of units 1..27, made once: a Solve's explanation names a unit
// for each of its thousands of placements.
const std::array<std::string, 28>& unit_names() {
  static const std::array<std::string, 28> names = [] {
    std::array<std::string, 28> made;
    for (int unit = 1; unit <= 27; ++unit)
      made[unit] = std::string(unit_kind_word(unit_kind(unit))) + " " + std::to_string(unit_index(unit));
    return made;
  }();
  return names;
}

}  // namespace

const std::string& unit_name(int unit) {
  return unit_names()[static_cast<std::size_t>(unit >= 1 && unit <= 27 ? unit : 0)];
}

const char* reason_word(Reason reason) {
  switch (reason) {
    case Reason::cell:
      return "cell";
    case Reason::unit:
      return "unit";
    case Reason::guess:
      return "guess";
    case Reason::search:
      break;
  }
  return "search";
}

void append_cell_name(std::string& out, int index) {
  out.append("Row ").append(1, static_cast<char>('0' + cell_row(index + 1)));
  out.append(", column ").append(1, static_cast<char>('0' + cell_column(index + 1)));
}

void append_step_sentence(std::string& out, const Placement& p) {
  const char digit = static_cast<char>('0' + p.digit);
  append_cell_name(out, p.index);
  out += ": ";
  out += digit;
  const std::string& unit = unit_name(p.why.unit);
  switch (p.why.reason) {
    case Reason::cell:
      out.append(" is the only digit left once ").append(unit).append("'s digits are struck");
      return;
    case Reason::unit:
      out.append(" has no other place in ").append(unit);
      return;
    case Reason::guess:
      out.append(" is a guess, since no rule places a digit: ").append(1, digit).append(" has ");
      out.append(std::to_string(p.why.places)).append(" places left in ").append(unit);
      out.append(", the fewest of any digit still to be tried");
      return;
    case Reason::search:
      break;
  }
  out += " is the complete search's solution, placed after the attempts gave up";
}

std::string step_sentence(const Placement& placement) {
  std::string text;
  append_step_sentence(text, placement);
  return text;
}

}  // namespace quorlen
