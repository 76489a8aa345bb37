// libFuzzer target: arbitrary bytes as a text pasted, dropped or given to
// --puzzle.
//
// Besides crashes and sanitizer reports, it checks that a text is a puzzle
// (digits 0..9 in its cells, notes of digits 1..9) or refused with a
// sentence, and that a progress line read back from what it gave reads as
// the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/puzzle_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const quorlen::FileResult<quorlen::PuzzleText> read = quorlen::read_puzzle_text(bytes);
  if (!read) {
    if (!read.error().message.starts_with("This text is not a puzzle: ")) std::abort();
    return 0;
  }
  const quorlen::PuzzleText& text = read.value();
  quorlen::Game game;
  for (std::size_t i = 0; i < 81; ++i) {
    if (text.givens[i] > 9 || text.digits[i] > 9 || text.notes[i] & ~0x3FE) std::abort();
    if (text.givens[i] != 0) game.board.given_value[i + 1] = text.givens[i];
    if (text.digits[i] != 0) game.cells[i] = {text.digits[i], quorlen::DigitOwner::person, {}, 0, false};
    game.cells[i].notes = text.notes[i];
  }
  const quorlen::FileResult<quorlen::PuzzleText> again =
      quorlen::read_puzzle_text(quorlen::progress_line(game));
  if (!again || again.value().givens != text.givens || again.value().digits != text.digits ||
      again.value().notes != text.notes)
    std::abort();
  return 0;
}
