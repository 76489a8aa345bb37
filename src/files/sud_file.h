// The ".sud" puzzle file: one text line per cell in cell-number order (cell 1
// first, down the leftmost column), a digit for a filled cell and " 0 " for
// an empty one, each line ended by CR LF.
//
// Reading is lenient about where the file came from (LF or CR LF line ends,
// a UTF-8 byte order mark, blanks or tabs around the number, fewer than 81
// lines) and strict about what it holds: every line must be a number 0..9.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "board/puzzle.h"
#include "files/file_result.h"

namespace quorlen {

// A puzzle is under half a kilobyte; anything far larger is not one, and is
// refused before it is read.
inline constexpr std::size_t kMaxSudBytes = 64 * 1024;

// Parses the whole content of a file: line k is cell k, grid index k-1.
// `file_name` names the file in the message of a bad line or of an 82nd
// line, where parsing stops.
FileResult<DigitGrid> parse_sud(std::string_view bytes, std::string_view file_name);

// Reads and parses the file at `path`; a file over kMaxSudBytes is refused
// without being read, and so is anything but a regular file. Messages are
// whole sentences, ready for a message box.
FileResult<DigitGrid> read_sud_file(const std::filesystem::path& path);

// The exact text that Save writes: 81 lines, each a digit or " 0 ", CR LF.
std::string format_sud(const DigitGrid& cells);

}  // namespace quorlen
