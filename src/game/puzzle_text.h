// Puzzles as the texts people copy, paste and drop: one reader for them all,
// and the progress line, which carries a game in progress in one line of
// text and reads back into the same game.
//
// The reader takes, after a UTF-8 byte order mark:
//   * a puzzle's 81 cells row by row from the top-left, '1'-'9' for a digit
//     and '.' or '0' for an empty cell, on one line or on nine or any other
//     way: blanks, line breaks and the characters grids are drawn with
//     (| - + = _ and Unicode's box drawing) are skipped;
//   * the same after header lines that start with '#', as .sdk files have;
//   * a line whose first word is such a puzzle, whatever follows it (a
//     rating, a name), as collections and quorlen-generate write them;
//   * a progress line:
//       quorlen:1:GIVENS:DIGITS:NOTES
//     GIVENS and DIGITS each 81 cells as above ('.' empty), the givens and
//     the person's digits; NOTES the notes of each cell that has any, as
//     ROW COLUMN = DIGITS, comma-separated ("11=45,19=2467"), possibly none.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/puzzle.h"
#include "files/file_result.h"
#include "game/game.h"

namespace quorlen {

inline constexpr std::string_view kProgressPrefix = "quorlen:1:";

struct PuzzleText {
  DigitGrid givens{};  // by grid index, 0 for none
  // A progress line's: the person's digits and notes, by grid index.
  DigitGrid digits{};
  std::array<std::uint16_t, 81> notes{};
  bool progress = false;
  friend bool operator==(const PuzzleText&, const PuzzleText&) = default;
};

// What `text` holds, or a sentence saying why it is no puzzle.
FileResult<PuzzleText> read_puzzle_text(std::string_view text);

// The progress line of a game: its givens, the person's digits (not the
// solver's) and the notes.
std::string progress_line(const Game& game);

}  // namespace quorlen
