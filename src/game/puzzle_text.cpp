#include "game/puzzle_text.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "board/units.h"
#include "files/escape_control.h"

namespace quorlen {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::size_t kCells = 81;

FileError no_puzzle(std::string reason) {
  return {.path = {}, .code = 0, .message = "This text is not a puzzle: " + std::move(reason)};
}

bool is_cell(char c) { return c == '.' || (c >= '0' && c <= '9'); }

// The length of the character grids are drawn with at the start of `text`,
// or 0: blanks, | - + = _ and Unicode's box drawing (U+2500..U+257F, in
// UTF-8 E2 94 80 to E2 95 BF).
std::size_t decoration(std::string_view text) {
  switch (text[0]) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '|':
    case '-':
    case '+':
    case '=':
    case '_':
      return 1;
    default:
      break;
  }
  const bool box_drawing =
      text.size() >= 3 && text[0] == '\xE2' && (text[1] == '\x94' || text[1] == '\x95') &&
      static_cast<unsigned char>(text[2]) >= 0x80 && static_cast<unsigned char>(text[2]) <= 0xBF;
  return box_drawing ? 3 : 0;
}

// 81 cell characters row by row as a grid by grid index.
DigitGrid grid_of(std::string_view cells) {
  DigitGrid grid{};
  for (std::size_t i = 0; i < kCells; ++i) {
    const char c = cells[i];
    if (c >= '1' && c <= '9')
      grid[static_cast<std::size_t>(grid_index(static_cast<int>(i / 9), static_cast<int>(i % 9)))] =
          static_cast<std::uint8_t>(c - '0');
  }
  return grid;
}

bool is_puzzle_string(std::string_view text) {
  return text.size() == kCells && std::all_of(text.begin(), text.end(), is_cell);
}

FileResult<PuzzleText> read_progress(std::string_view line) {
  const auto bad = [](const std::string& what) { return no_puzzle("its progress line " + what + "."); };
  std::vector<std::string_view> parts;
  for (std::size_t at = 0;;) {
    const std::size_t end = line.find(':', at);
    parts.push_back(line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  if (parts.size() != 5) return bad("has " + std::to_string(parts.size()) + " fields, not 5");
  PuzzleText read;
  read.progress = true;
  for (const int field : {2, 3}) {
    if (!is_puzzle_string(parts[static_cast<std::size_t>(field)]))
      return bad(std::string(field == 2 ? "givens" : "digits") + " are not 81 cells");
  }
  read.givens = grid_of(parts[2]);
  read.digits = grid_of(parts[3]);
  std::string_view notes = parts[4];
  while (!notes.empty()) {
    const std::size_t end = notes.find(',');
    const std::string_view item = notes.substr(0, end);
    notes.remove_prefix(end == std::string_view::npos ? notes.size() : end + 1);
    const bool placed = item.size() >= 4 && item[0] >= '1' && item[0] <= '9' && item[1] >= '1' &&
                        item[1] <= '9' && item[2] == '=';
    int mask = 0;
    for (std::size_t i = 3; placed && i < item.size(); ++i) {
      const int digit = item[i] - '0';
      if (digit < 1 || digit > 9 || (mask >> digit) != 0)
        return bad("has notes \"" + escape_control(item) + "\" out of order");
      mask |= digit_mask(digit);
    }
    if (!placed) return bad("has notes \"" + escape_control(item) + "\", not ROW COLUMN = DIGITS");
    read.notes[static_cast<std::size_t>(grid_index(item[0] - '1', item[1] - '1'))] =
        static_cast<std::uint16_t>(mask);
  }
  return read;
}

}  // namespace

FileResult<PuzzleText> read_puzzle_text(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return no_puzzle("it is empty.");
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);

  if (text.starts_with("quorlen:")) {
    if (!text.starts_with(kProgressPrefix)) {
      return no_puzzle("it is a progress line of another version of Quorlen (" +
                       escape_control(text.substr(0, std::min<std::size_t>(text.find(':', 8), 16))) + ").");
    }
    return read_progress(text);
  }

  // The cells of the whole text, but for header lines and the drawing.
  std::string cells;
  std::string stray;  // the first character that is neither
  std::string_view first_line;
  bool at_line_start = true;
  for (std::size_t at = 0; at < text.size();) {
    if (at_line_start && text[at] == '#') {
      at = std::min(text.find('\n', at), text.size());
      continue;
    }
    if (at_line_start && first_line.empty()) first_line = text.substr(at, text.find('\n', at) - at);
    at_line_start = text[at] == '\n';
    if (const std::size_t skip = decoration(text.substr(at)); skip != 0) {
      at += skip;
      continue;
    }
    if (is_cell(text[at])) {
      if (cells.size() <= kCells) cells += text[at];
    } else if (stray.empty()) {
      stray = text.substr(at, 1);
    }
    ++at;
  }
  if (stray.empty() && cells.size() == kCells) return PuzzleText{grid_of(cells), {}, {}, false};

  // A line of a collection: the puzzle, then whatever goes with it.
  const std::string_view word = first_line.substr(0, first_line.find_first_of(kBlanks));
  if (is_puzzle_string(word)) return PuzzleText{grid_of(word), {}, {}, false};

  if (!stray.empty())
    return no_puzzle("\"" + escape_control(stray) + "\" is neither a digit nor an empty cell.");
  return no_puzzle("a puzzle has 81 cells, 1 to 9 for a digit and . or 0 for an empty one, and it has " +
                   (cells.size() > kCells ? std::string("more") : std::to_string(cells.size())) + ".");
}

std::string progress_line(const Game& game) {
  DigitGrid digits{};
  std::string notes;
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      const auto i = static_cast<std::size_t>(grid_index(row, col));
      const GameCell& cell = game.cells[i];
      if (cell.owner == DigitOwner::person) digits[i] = cell.digit;
      if (cell.notes == 0) continue;
      if (!notes.empty()) notes += ',';
      notes += static_cast<char>('1' + row);
      notes += static_cast<char>('1' + col);
      notes += '=';
      for (int d = 1; d <= 9; ++d)
        if (cell.notes & digit_mask(d)) notes += static_cast<char>('0' + d);
    }
  }
  return std::string(kProgressPrefix) + puzzle_string(givens_of(game.board)) + ':' + puzzle_string(digits) +
         ':' + notes;
}

}  // namespace quorlen
