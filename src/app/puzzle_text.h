// The grid on the clipboard: what Ctrl+C puts there and Ctrl+V takes, a
// puzzle string (81 characters row by row, '.' or '0' for an empty cell).
#pragma once

#include <QString>
#include <optional>

#include "board/puzzle.h"

namespace quorlen {

// The puzzle in a text copied from anywhere: blanks, line breaks and the
// characters people draw grids with (| - + = _ and box drawing) are
// skipped; what is left must be a puzzle string.
std::optional<DigitGrid> parse_puzzle_text(const QString& text);

}  // namespace quorlen
