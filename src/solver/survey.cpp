#include "solver/survey.h"

#include <cassert>

namespace quorlen {

Survey survey_of(const std::array<std::int16_t, 83>& cell_value) {
  Survey survey;
  // Without a branch per cell: filled and empty cells come mixed.
  for (int i = 0; i < 81; ++i) {
    const int value = cell_value[i];
    assert(value == kEmptyCell || (value >= 1 && value <= 9));
    const int empty = -static_cast<int>(value == kEmptyCell);  // all ones or 0
    survey.empty_cells -= empty;
    const auto bit = static_cast<std::uint16_t>(digit_mask(value & 15) & ~empty);
    for (const int unit : kCellUnitIndexes[i + 1]) {
      survey.used[unit] |= bit;
      survey.digit_sum[unit] += bit;
    }
  }
  // The sum of distinct digits' masks is their union; a repeated one adds more.
  for (int unit = 0; unit < 27; ++unit) {
    if (survey.digit_sum[unit] != survey.used[unit]) survey.repeating_units |= std::uint32_t{2} << unit;
  }
  survey.repeated = survey.repeating_units != 0;
  return survey;
}

}  // namespace quorlen
