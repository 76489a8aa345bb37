// Finds the puzzles in a stream of puzzle lines, a chunk at a time, keeping
// no more of a line than one puzzle whatever the line's length.
//
// CR, LF and CR LF each end a line. A line is a puzzle when its first 81
// characters are cells ('1'-'9', '0' or '.') and the next, if any, is not
// one. After it, any other character separates: a further group of exactly
// 81 cells is a further puzzle, text (ratings, names) is skipped, and '#'
// makes the rest a comment. Blank lines and lines starting with '#' are
// skipped; every other line, and every group of cells that is too long to be
// a rating yet not a puzzle, is reported, so that no puzzle goes unnoticed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "board/puzzle.h"

namespace quorlen {

class PuzzleScanner {
 public:
  class Sink {
   public:
    virtual ~Sink() = default;
    virtual void puzzle(const DigitGrid& givens) = 0;
    // `line` (from 1) or a group of cells on it is not a puzzle; `why` can
    // follow "NAME:LINE: ".
    virtual void refused(std::uint64_t line, const std::string& why) = 0;
  };

  explicit PuzzleScanner(Sink& sink) : sink_(sink) {}

  void feed(std::string_view bytes);
  // The end of the input, which ends a last line that has no line end.
  void finish();
  // The line being read, from 1.
  std::uint64_t line() const { return line_; }

 private:
  enum class State { line_start, leading_blanks, first_cells, after_puzzle, skip };
  void end_line();
  void end_cells();
  void refuse_line(const std::string& why);
  void add_cell(char c);

  Sink& sink_;
  State state_ = State::line_start;
  bool after_cr_ = false;
  std::uint64_t line_ = 1;
  std::uint64_t column_ = 0;        // of the last byte read, from 1
  std::uint64_t cells_ = 0;         // length of the group of cells being read
  std::uint64_t cells_column_ = 0;  // and where it started
  DigitGrid grid_{};                // its first 81 cells
};

}  // namespace quorlen
