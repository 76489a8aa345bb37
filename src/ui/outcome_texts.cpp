#include "ui/outcome_texts.h"

#include "board/units.h"
#include "solver/difficulty.h"

namespace quorlen {

std::string validation_text(const Repetition& r) {
  const UnitKind kind = unit_kind(r.unit);
  std::string text = "   Validation failed for " + std::string(unit_kind_word(kind)) + " " +
                     std::to_string(unit_index(r.unit)) + " - The number " + std::to_string(r.digit);
  if (kind == UnitKind::box) return text + " is getting repeated.   ";
  return text + " is getting repeated   " + std::to_string(r.first_cell) + "  " +
         std::to_string(r.second_cell);
}

std::string difficulty_caption(std::int32_t difficulty) {
  return "Difficulty     : " + std::to_string(difficulty) + " (" +
         std::string(level_name(level_of(difficulty))) + ")";
}

std::string guessed_caption(std::int32_t guesses) { return "Yes  " + std::to_string(guesses); }

}  // namespace quorlen
