#include "ui/outcome_texts.h"

#include <array>
#include <vector>

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

namespace {

// "once row 3's digits are struck", "once the digits of row 3, column 5 and
// 3x3 box 4 are struck".
void append_struck_units(std::string& out, const Placement& p, std::uint8_t named) {
  out += " is the only digit left once ";
  if (named == 0) {
    out.append(unit_name(p.why.unit)).append("'s digits are struck");
    return;
  }
  std::vector<const std::string*> names;
  const std::array<int, 3> units = row_column_box(p.index + 1);
  for (std::size_t u = 0; u < 3; ++u) {
    if (((named >> u) & 1) != 0) names.push_back(&unit_name(units[u]));
  }
  if (names.size() == 1) {
    out.append(*names[0]).append("'s digits are struck");
    return;
  }
  out += "the digits of ";
  for (std::size_t n = 0; n < names.size(); ++n) {
    if (n > 0) out += n + 1 == names.size() ? " and " : ", ";
    out += *names[n];
  }
  out += " are struck";
}

// ": 7 is the only digit left once ...": the digit and why it goes there.
void append_reason(std::string& out, const Placement& p, const Telling& telling) {
  const char digit = static_cast<char>('0' + p.digit);
  out += ": ";
  out += digit;
  const std::string& unit = unit_name(p.why.unit);
  switch (p.why.reason) {
    case Reason::cell:
      append_struck_units(out, p, telling.units);
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

}  // namespace

void append_step_sentence(std::string& out, const Placement& p, const Telling& telling) {
  if (telling.trouble == Trouble::after_guess) out += "(Built on the wrong guess) ";
  if (telling.trouble == Trouble::after_contradiction) out += "(After the contradiction) ";
  append_cell_name(out, p.index);
  append_reason(out, p, telling);
  if (telling.trouble == Trouble::twice) {
    out.append(", and ").append(unit_name(telling.where)).append(" now holds ");
    out.append(1, static_cast<char>('0' + p.digit)).append(" twice");
  } else if (telling.trouble == Trouble::no_digit) {
    std::string cell;
    append_cell_name(cell, telling.where);
    cell[0] = 'r';  // "row 4, column 2" within the sentence
    out.append(", which leaves ").append(cell).append(" with no digit");
  }
}

std::string step_sentence(const Placement& placement, const Telling& telling) {
  std::string text;
  append_step_sentence(text, placement, telling);
  return text;
}

}  // namespace quorlen
