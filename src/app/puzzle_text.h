// The grid as one puzzle string: 81 characters row by row from the top-left
// cell, a digit 1..9 for a filled cell and '.' (or '0') for an empty one.
// This is what Ctrl+C puts on the clipboard and Ctrl+V takes from it.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string>

#include "ui/view.h"

namespace quorlen {

// Cell texts by grid index ("" for an empty cell). Blanks, line breaks and
// the characters people draw grids with (| - + = and box drawing) are
// skipped; any other character, or a count other than 81, is no puzzle.
std::optional<std::array<std::string, 81>> parse_puzzle_text(const QString& text);

// The shown grid, '.' for an empty cell; a longer text shows its first
// character, which is the digit the grid reads for that cell.
QString puzzle_text(const View& view);

}  // namespace quorlen
