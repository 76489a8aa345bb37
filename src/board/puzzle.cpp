#include "board/puzzle.h"

#include "board/units.h"

namespace quorlen {

std::optional<DigitGrid> parse_puzzle(std::string_view text) {
  if (text.size() != 81) return std::nullopt;
  DigitGrid grid{};
  for (int i = 0; i < 81; ++i) {
    const char c = text[static_cast<std::size_t>(i)];
    if (c == '0' || c == '.') continue;
    if (c < '1' || c > '9') return std::nullopt;
    grid[grid_index(i / 9, i % 9)] = static_cast<std::uint8_t>(c - '0');
  }
  return grid;
}

std::string puzzle_string(const DigitGrid& grid) {
  std::string text(81, '.');
  for (int i = 0; i < 81; ++i) {
    const int digit = grid[grid_index(i / 9, i % 9)];
    if (digit != 0) text[static_cast<std::size_t>(i)] = static_cast<char>('0' + digit);
  }
  return text;
}

}  // namespace quorlen
