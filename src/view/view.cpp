#include "view/view.h"

#include "board/board.h"
#include "board/grid_rules.h"
#include "board/units.h"

namespace quorlen {

void View::set_cell_text(int index, std::string_view text) {
  cells_[index].text.assign(text);
  cells_[index].typed = false;
  Text1_Change(*this, index);
}

void View::set_cell_digit(int index, int digit) {
  std::string& text = cells_[index].text;
  const char c = static_cast<char>('0' + digit);
  if (text.size() == 1) {
    text.front() = c;
  } else {
    text.assign(1, c);
  }
  cells_[index].typed = false;
  Text1_Change(*this, index);
}

bool View::type_into_cell(int index, std::string_view text) {
  CellView& cell = cells_[index];
  if (!cell.enabled) return false;
  const std::size_t limit =
      cell.max_length > 0 ? static_cast<std::size_t>(cell.max_length) : std::string_view::npos;
  const std::string_view typed = text.substr(0, limit);
  if (typed == cell.text) return true;
  cell.text.assign(typed);
  Text1_Change(*this, index);
  cell.typed = !cell.text.empty();
  return true;
}

void Text1_Change(View& view, int index) {
  const std::string& text = view.cell_text(index);
  if (!text.empty() && cell_digit(text) == 0) view.set_cell_text(index, "");
}

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

DigitOwner digit_owner(const CellView& cell, int given) {
  const int digit = cell_digit(cell.text);
  if (digit == 0) return DigitOwner::none;
  if (digit == given) return DigitOwner::given;
  return cell.typed || cell.colour != kSolverBlue ? DigitOwner::person : DigitOwner::solver;
}

void clear_grid(View& view, bool cells_enabled) {
  for (int index = 0; index < View::kCells; ++index) {
    view.set_cell_enabled(index, cells_enabled);
    view.set_cell_max_length(index, 1);
    view.set_cell_text(index, "");
    view.set_cell_colour(index, kBlack);
    view.set_cell_notes(index, 0);
    view.set_cell_marks(index, 0);
  }
}

void strike_notes(View& view, int index, int digit) {
  const auto bit = static_cast<std::uint16_t>(digit_mask(digit));
  for (const int unit : kCellUnitIndexes[index + 1]) {
    for (int pos = 1; pos <= 9; ++pos) {
      const int peer = kUnitCells[unit + 1][pos] - 1;
      if (peer != index) view.set_cell_notes(peer, static_cast<std::uint16_t>(view.cell(peer).notes & ~bit));
    }
  }
}

void fill_in_notes(View& view) {
  const DigitGrid digits = shown_digits(view);
  for (int index = 0; index < View::kCells; ++index) {
    if (digits[index] == 0 && view.cell(index).enabled)
      view.set_cell_notes(index, static_cast<std::uint16_t>(allowed_digits(digits, index)));
  }
}

void clear_notes(View& view) {
  for (int index = 0; index < View::kCells; ++index) view.set_cell_notes(index, 0);
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

bool has_notes_or_marks(const View& view) {
  int any = 0;
  for (int index = 0; index < View::kCells; ++index) any |= view.cell(index).notes | view.cell(index).marks;
  return any != 0;
}

Shade cell_shade(const View& view, int index) {
  const int selected = view.selected;
  if (!view.options.highlighting || selected < 0 || !view.cell(selected).enabled) return Shade::none;
  const int digit = cell_digit(view.cell_text(selected));
  if (digit != 0 && cell_digit(view.cell_text(index)) == digit) return Shade::digit;
  return (kCellUnits[index + 1] & kCellUnits[selected + 1]) != 0 ? Shade::unit : Shade::none;
}

}  // namespace quorlen
