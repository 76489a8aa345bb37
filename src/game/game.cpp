#include "game/game.h"

#include "board/grid_rules.h"
#include "board/units.h"

namespace quorlen {

DigitGrid shown_digits(const Game& game) {
  DigitGrid grid{};
  for (std::size_t i = 0; i < grid.size(); ++i) grid[i] = game.cells[i].digit;
  return grid;
}

DigitGrid givens_of(const Board& board) {
  DigitGrid grid{};
  for (int n = 1; n <= 81; ++n)
    grid[static_cast<std::size_t>(n - 1)] = static_cast<std::uint8_t>(given_digit(board, n));
  return grid;
}

void strike_notes(Game& game, int index, int digit) {
  const auto bit = static_cast<std::uint16_t>(digit_mask(digit));
  for (const int unit : kCellUnitIndexes[index + 1]) {
    for (int pos = 1; pos <= 9; ++pos) {
      const int peer = kUnitCells[unit + 1][pos] - 1;
      if (peer != index) game.cells[static_cast<std::size_t>(peer)].notes &= static_cast<std::uint16_t>(~bit);
    }
  }
}

void fill_in_notes(Game& game) {
  const DigitGrid digits = shown_digits(game);
  if (!game.controls.cells) return;
  for (int index = 0; index < 81; ++index) {
    if (digits[static_cast<std::size_t>(index)] == 0)
      game.cells[static_cast<std::size_t>(index)].notes =
          static_cast<std::uint16_t>(allowed_digits(digits, index));
  }
}

void clear_notes(Game& game) {
  for (GameCell& cell : game.cells) cell.notes = 0;
}

}  // namespace quorlen
