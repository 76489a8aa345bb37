// libFuzzer target: arbitrary bytes as the content of a game file.
//
// Besides crashes and sanitizer reports, it checks what Open game relies
// on: a file either fails with a message naming it, or gives a game whose
// cells and board hold only what the window can show, and which reads back
// the same after Save game wrote it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/game_file.h"

namespace {

bool sound(const quorlen::Game& game) {
  for (std::size_t i = 0; i < 81; ++i) {
    const quorlen::GameCell& cell = game.cells[i];
    const int value = game.board.cell_value[i];
    if (cell.digit > 9 || (cell.digit == 0) != (cell.owner == quorlen::DigitOwner::none) ||
        cell.notes & ~0x3FE || (value != quorlen::kEmptyCell && (value < 1 || value > 9)))
      return false;
  }
  return game.level >= -1 && game.level <= 3 && game.board.repetition.unit >= 0 &&
         game.board.repetition.unit <= 27;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const quorlen::FileResult<quorlen::SavedGame> read = quorlen::parse_game(bytes, "fuzz.quorlen");
  if (!read) {
    if (read.error().message.find("\"fuzz.quorlen\"") == std::string::npos) std::abort();
    return 0;
  }
  const quorlen::SavedGame& game = read.value();
  if (!sound(game.present)) std::abort();
  for (const auto* states : {&game.earlier, &game.later})
    for (const quorlen::Game& state : *states)
      if (!sound(state)) std::abort();
  const quorlen::FileResult<quorlen::SavedGame> again =
      quorlen::parse_game(quorlen::format_game(game), "fuzz.quorlen");
  if (!again || !(again.value() == game)) std::abort();
  return 0;
}
