#include "app/puzzle_text.h"

#include <string>

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

std::optional<DigitGrid> parse_puzzle_text(const QString& text) {
  std::string puzzle;
  for (const QChar c : text) {
    if (is_decoration(c)) continue;
    if (c.unicode() > 0x7F || puzzle.size() > 81) return std::nullopt;
    puzzle += static_cast<char>(c.unicode());
  }
  return parse_puzzle(puzzle);
}

}  // namespace quorlen
