#include "view/view.h"

namespace quorlen {

void View::set_cell_text(int index, std::string_view text) {
  cells_[index].text.assign(text);
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
  Text1_Change(*this, index);
}

bool View::type_into_cell(int index, std::string_view text) {
  CellView& cell = cells_[index];
  if (!cell.enabled) return false;
  const std::size_t limit =
      cell.max_length > 0 ? static_cast<std::size_t>(cell.max_length) : std::string_view::npos;
  cell.text.assign(text.substr(0, limit));
  Text1_Change(*this, index);
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

void clear_grid(View& view, bool cells_enabled) {
  for (int index = 0; index < View::kCells; ++index) {
    view.set_cell_enabled(index, cells_enabled);
    view.set_cell_max_length(index, 1);
    view.set_cell_text(index, "");
    view.set_cell_colour(index, kBlack);
  }
}

}  // namespace quorlen
