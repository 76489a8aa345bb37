#include "app/puzzle_text.h"

#include "board/units.h"

namespace quorlen {
namespace {

bool is_decoration(QChar c) {
  if (c.isSpace()) return true;
  switch (c.unicode()) {
    case u'|':
    case u'-':
    case u'+':
    case u'=':
    case u'_':
      return true;
    default:
      // The Unicode block "Box Drawing".
      return c.unicode() >= 0x2500 && c.unicode() <= 0x257F;
  }
}

}  // namespace

std::optional<std::array<std::string, 81>> parse_puzzle_text(const QString& text) {
  std::array<std::string, 81> cells;
  int count = 0;
  for (const QChar c : text) {
    if (is_decoration(c)) continue;
    const bool digit = c >= u'1' && c <= u'9';
    if (!digit && c != u'0' && c != u'.') return std::nullopt;
    if (count == 81) return std::nullopt;
    if (digit) cells[grid_index(count / 9, count % 9)] = std::string(1, static_cast<char>(c.unicode()));
    ++count;
  }
  if (count != 81) return std::nullopt;
  return cells;
}

QString puzzle_text(const View& view) {
  QString text(81, u'.');
  for (int i = 0; i < 81; ++i) {
    const std::string& cell = view.cell_text(grid_index(i / 9, i % 9));
    if (!cell.empty()) text[i] = QChar::fromLatin1(cell.front());
  }
  return text;
}

}  // namespace quorlen
