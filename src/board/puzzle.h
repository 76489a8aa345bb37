// Puzzles as plain digits, and as the 81-character strings people exchange.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorlen {

// Digits by grid index (0..80, down the columns, as the cells are
// numbered), 0 for an empty cell.
using DigitGrid = std::array<std::uint8_t, 81>;

// A puzzle string holds 81 characters row by row from the top-left cell:
// '1'-'9' for a digit, '0' or '.' for an empty cell. Nothing when `text` is
// not exactly that.
std::optional<DigitGrid> parse_puzzle(std::string_view text);

// The puzzle string of a grid, '.' for an empty cell.
std::string puzzle_string(const DigitGrid& grid);

}  // namespace quorlen
