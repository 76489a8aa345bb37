#include "view/view.h"

#include "board/board.h"
#include "board/grid_rules.h"
#include "board/units.h"

namespace quorlen {

int cell_digit(std::string_view text) {
  if (text.empty() || text.front() < '1' || text.front() > '9') return 0;
  return text.front() - '0';
}

DigitGrid shown_digits(const View& view) {
  DigitGrid grid{};
  for (int index = 0; index < View::kCells; ++index) {
    grid[index] = static_cast<std::uint8_t>(cell_digit(view.cell_text(index)));
  }
  return grid;
}

std::array<std::uint8_t, View::kCells> cell_marks(const View& view) {
  const RepeatUnits repeats = repeated_units(shown_digits(view));
  std::array<std::uint8_t, View::kCells> marks{};
  for (int index = 0; index < View::kCells; ++index) {
    const bool repeat = view.options.repeats_shown && repeats[index] != 0;
    marks[index] = static_cast<std::uint8_t>(view.cell(index).marks | (repeat ? kMarkRepeat : 0));
  }
  return marks;
}

Shade cell_shade(const View& view, int index) {
  const int selected = view.selected;
  if (!view.options.highlighting || selected < 0 || !view.cell(selected).enabled) return Shade::none;
  const int digit = cell_digit(view.cell_text(selected));
  if (digit != 0 && cell_digit(view.cell_text(index)) == digit) return Shade::digit;
  return (kCellUnits[index + 1] & kCellUnits[selected + 1]) != 0 ? Shade::unit : Shade::none;
}

}  // namespace quorlen
