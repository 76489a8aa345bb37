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

namespace quorlen {

// A puzzle is under half a kilobyte; anything far larger is not one, and is
// refused before it is read.
inline constexpr std::size_t kMaxSudBytes = 64 * 1024;

struct SudRead {
  DigitGrid cells{};  // line k is cell k, grid index k-1
  std::string error;  // why the file cannot be loaded; empty when it can
  bool ok() const { return error.empty(); }
};

// Parses the whole content of a file. `file_name` only names the file in
// error messages. Stops at the first bad line or at an 82nd line.
SudRead parse_sud(std::string_view bytes, std::string_view file_name);

// Reads and parses the file at `path`; a file over kMaxSudBytes is refused
// without being read.
SudRead read_sud_file(const std::filesystem::path& path);

// `text` with every byte outside printable ASCII written as \xNN (a tab as
// \t): how a bad line is shown, and how quorlen-solve shows any name or
// content on standard error, so that none can drive the terminal.
std::string escape_control(std::string_view text);

// The exact text that Save writes: 81 lines, each a digit or " 0 ", CR LF.
std::string format_sud(const DigitGrid& cells);

// Replaces the file at `path` with `bytes`, or leaves it as it was: the bytes
// go to a new file in the same folder, which is flushed to disk and then
// renamed over `path`. A file that the rename would change for its users
// (another link to it, another owner, ACLs or other extended attributes),
// or that sits in a folder taking no new file, is written in place instead.
// Returns why it failed, or an empty text on success. On failure no new
// file remains.
std::string replace_file(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quorlen
