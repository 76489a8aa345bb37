#include "ui/view.h"

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
  // A maximum length of 0 means no limit, as with a text box.
  const std::size_t limit =
      cell.max_length > 0 ? static_cast<std::size_t>(cell.max_length) : std::string_view::npos;
  cell.text.assign(text.substr(0, limit));
  Text1_Change(*this, index);
  return true;
}

void Text1_Change(View& view, int index) {
  const std::string& text = view.cell_text(index);
  if (text.empty()) return;
  const char first = text.front();
  if (first < '1' || first > '9') view.set_cell_text(index, "");
}

}  // namespace quorlen
