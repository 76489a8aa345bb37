#include "cli/puzzle_scanner.h"

#include <array>

#include "board/units.h"

namespace quorlen {
namespace {

// The grid index of each cell of a puzzle line, which runs row by row.
constexpr std::array<std::uint8_t, 81> kGridIndexes = [] {
  std::array<std::uint8_t, 81> indexes{};
  for (int i = 0; i < 81; ++i) indexes[i] = static_cast<std::uint8_t>(grid_index(i / 9, i % 9));
  return indexes;
}();

// A group of this many cells or more is taken for a puzzle that lost or
// gained a character: no rating or number is that long, and no puzzle has
// fewer givens.
constexpr std::uint64_t kBrokenPuzzleCells = 17;

constexpr const char* kNotAPuzzle = "not a puzzle (81 characters 1-9, 0 or . expected), skipped";

bool is_cell(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void PuzzleScanner::feed(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const char c = bytes[at];
    if (c == '\n' && after_cr_) {  // the second half of CR LF
      after_cr_ = false;
      continue;
    }
    after_cr_ = c == '\r';
    if (c == '\n' || c == '\r') {
      end_line();
      continue;
    }
    ++column_;
    switch (state_) {
      case State::line_start:
        if (c == '#') {
          state_ = State::skip;
        } else if (is_blank(c)) {
          state_ = State::leading_blanks;
        } else if (is_cell(c)) {
          state_ = State::first_cells;
          cells_column_ = column_;
          add_cell(c);
        } else {
          refuse_line(kNotAPuzzle);
        }
        break;
      case State::leading_blanks:
        if (!is_blank(c)) refuse_line(kNotAPuzzle);
        break;
      case State::first_cells:
      case State::after_puzzle:
        if (is_cell(c)) {
          if (cells_ == 0) cells_column_ = column_;
          add_cell(c);
          // The rest of the group at once: most bytes are cells of a puzzle.
          for (; at + 1 < bytes.size() && is_cell(bytes[at + 1]); ++column_) add_cell(bytes[++at]);
        } else {
          if (cells_ > 0) end_cells();
          if (c == '#') state_ = State::skip;
        }
        break;
      case State::skip:
        break;
    }
  }
}

void PuzzleScanner::add_cell(char c) {
  if (cells_ < kGridIndexes.size())
    grid_[kGridIndexes[cells_]] = static_cast<std::uint8_t>(c == '.' ? 0 : c - '0');
  ++cells_;
}

void PuzzleScanner::finish() {
  if (state_ != State::line_start || column_ > 0) end_line();
}

void PuzzleScanner::end_line() {
  if (cells_ > 0) end_cells();
  state_ = State::line_start;
  ++line_;
  column_ = 0;
}

void PuzzleScanner::end_cells() {
  const std::uint64_t cells = cells_;
  cells_ = 0;
  if (cells == 81) {
    state_ = State::after_puzzle;
    sink_.puzzle(grid_);
    return;
  }
  const bool first = state_ == State::first_cells;
  if (first && cells < 81) return refuse_line(kNotAPuzzle);
  if (!first && cells < kBrokenPuzzleCells) return;
  const std::string why = "column " + std::to_string(cells_column_) + ": " + std::to_string(cells) +
                          " cells in a row, not a puzzle of 81, skipped";
  if (first) return refuse_line(why);
  sink_.refused(line_, why);
}

void PuzzleScanner::refuse_line(const std::string& why) {
  sink_.refused(line_, why);
  state_ = State::skip;
}

}  // namespace quorlen
