#include "game/game_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>

#include "board/units.h"
#include "files/escape_control.h"
#include "files/read_file.h"

namespace quorlen {
namespace {

constexpr std::string_view kMagic = "Quorlen game ";
constexpr const char* kLevels[] = {"easy", "medium", "difficult", "very-difficult"};
constexpr const char* kOwners[] = {"-", "given", "person", "solver"};
constexpr const char* kInks[] = {"black", "red", "blue"};
// A label is a line of the window; the program's own are far shorter.
constexpr std::size_t kMaxLabel = 200;

// --- Writing -------------------------------------------------------------

std::string label_text(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

// "137" for notes 1, 3 and 7 (bit d for digit d); "-" for none.
std::string digits_of_mask(int mask) {
  std::string text;
  for (int d = 1; d <= 9; ++d)
    if (mask & digit_mask(d)) text += static_cast<char>('0' + d);
  return text.empty() ? "-" : text;
}

char digit_or_dot(int digit) { return digit >= 1 && digit <= 9 ? static_cast<char>('0' + digit) : '.'; }

std::string digit_or_dash(int digit) {
  return digit >= 1 && digit <= 9 ? std::string(1, static_cast<char>('0' + digit)) : "-";
}

const char* yes_no(bool value) { return value ? "yes" : "no"; }

std::string hex(std::uint64_t value) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kHex[value & 0xF];
  return text;
}

// The line of a cell: where it is, what it shows and the board's side of it.
std::string cell_line(const Game& game, int index) {
  const GameCell& c = game.cells[static_cast<std::size_t>(index)];
  const int n = index + 1;
  std::string line = "cell ";
  line += static_cast<char>('0' + cell_row(n));
  line += ' ';
  line += static_cast<char>('0' + cell_column(n));
  line += ' ';
  line += digit_or_dot(c.digit);
  line += ' ';
  line += kOwners[static_cast<int>(c.owner)];
  line += ' ';
  line += kInks[static_cast<int>(c.ink)];
  line += ' ' + digits_of_mask(c.notes) + (c.wrong ? " wrong " : " - ");
  line += digit_or_dash(given_digit(game.board, n)) + ' ';
  line += digit_or_dash(game.board.cell_value[static_cast<std::size_t>(index)]) + ' ';
  line += digits_of_mask(game.board.tried_mask[static_cast<std::size_t>(n)]);
  return line;
}

bool same_cell(const Game& a, const Game& b, int index) {
  const auto i = static_cast<std::size_t>(index);
  return a.cells[i] == b.cells[i] && a.board.given_value[i + 1] == b.board.given_value[i + 1] &&
         a.board.cell_value[i] == b.board.cell_value[i] &&
         a.board.tried_mask[i + 1] == b.board.tried_mask[i + 1];
}

// The lines of `game` that differ from `before`.
void append_state(std::string& out, const Game& game, const Game& before) {
  out += "state\n";
  const auto line = [&out](const std::string& text) { out += text + '\n'; };
  const Controls& k = game.controls;
  if (k.cells != before.controls.cells) line(k.cells ? "cells enabled" : "cells locked");
  if (!(k == before.controls)) {
    std::string buttons = "buttons ";
    for (const bool on : {k.load, k.save, k.freeze, k.restart, k.solve}) buttons += on ? '1' : '0';
    line(buttons);
  }
  if (game.label1 != before.label1) line("label1 " + label_text(game.label1));
  if (game.label4 != before.label4) line("label4 " + label_text(game.label4));
  if (game.puzzle != before.puzzle)
    line("puzzle " + (game.puzzle != 0 ? hex(game.puzzle) : std::string("-")));
  if (game.level != before.level)
    line(std::string("level ") + (game.level >= 0 && game.level <= 3 ? kLevels[game.level] : "-"));
  if (game.givens_protected != before.givens_protected)
    line(std::string("protected ") + yes_no(game.givens_protected));
  if (game.played_ms != before.played_ms) line("played " + std::to_string(game.played_ms));
  if (game.helped != before.helped) line(std::string("helped ") + yes_no(game.helped));
  if (game.solved_by_command != before.solved_by_command)
    line(std::string("solved-by-solve ") + yes_no(game.solved_by_command));
  if (game.finished != before.finished) line(std::string("finished ") + yes_no(game.finished));
  const Board& b = game.board;
  const Board& was = before.board;
  if (b.is_valid != was.is_valid || b.is_complete != was.is_complete || b.solvable != was.solvable ||
      b.attempt_ok != was.attempt_ok) {
    std::string flags = "board-flags ";
    for (const bool on : {b.is_valid, b.is_complete, b.solvable, b.attempt_ok}) flags += on ? '1' : '0';
    line(flags);
  }
  if (b.pass_count != was.pass_count || b.guess_count != was.guess_count || b.difficulty != was.difficulty)
    line("counts " + std::to_string(b.pass_count) + ' ' + std::to_string(b.guess_count) + ' ' +
         std::to_string(b.difficulty));
  if (!(b.repetition == was.repetition)) {
    const Repetition& r = b.repetition;
    line("repetition " + std::to_string(r.unit) + ' ' + std::to_string(r.digit) + ' ' +
         std::to_string(r.first_cell) + ' ' + std::to_string(r.second_cell));
  }
  // Row by row, as a person reads the grid.
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      const int index = grid_index(row, col);
      if (!same_cell(game, before, index)) line(cell_line(game, index));
    }
  }
}

// --- Reading -------------------------------------------------------------

// The words of a line: separated by single blanks; a word that starts with
// a double quote runs to the closing one, \" and \\ standing for " and \.
std::optional<std::vector<std::string>> words_of(std::string_view line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    std::string word;
    if (line[at] == '"') {
      for (++at;; ++at) {
        if (at >= line.size()) return std::nullopt;
        if (line[at] == '"') break;
        if (line[at] == '\\' && ++at >= line.size()) return std::nullopt;
        word += line[at];
      }
      ++at;
    } else {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      if (end == at) return std::nullopt;  // two blanks in a row
      word = line.substr(at, end - at);
      at = end;
    }
    words.push_back(std::move(word));
    if (at == line.size()) break;
    if (line[at] != ' ' || ++at == line.size()) return std::nullopt;  // one blank, and a word after it
  }
  return words;
}

template <class T>
std::optional<T> number(std::string_view word, T low, T high) {
  T value{};
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

std::optional<bool> yes_or_no(std::string_view word) {
  if (word == "yes") return true;
  if (word == "no") return false;
  return std::nullopt;
}

// The index of `word` among `names`.
template <std::size_t N>
std::optional<int> one_of(std::string_view word, const char* const (&names)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (word == names[i]) return static_cast<int>(i);
  return std::nullopt;
}

// A digit 1..9, or 0 for `empty`.
std::optional<int> digit_or(std::string_view word, char empty) {
  if (word.size() != 1) return std::nullopt;
  if (word[0] == empty) return 0;
  if (word[0] >= '1' && word[0] <= '9') return word[0] - '0';
  return std::nullopt;
}

// Digits in ascending order, each once, as a mask; "-" for none.
std::optional<int> mask_of_digits(std::string_view word) {
  if (word == "-") return 0;
  int mask = 0;
  int last = 0;
  for (const char c : word) {
    if (c <= '0' + last || c > '9') return std::nullopt;
    last = c - '0';
    mask |= digit_mask(last);
  }
  return word.empty() ? std::nullopt : std::optional<int>(mask);
}

// Flags as a row of 0 and 1, `count` of them.
std::optional<std::vector<bool>> bits(std::string_view word, std::size_t count) {
  if (word.size() != count) return std::nullopt;
  std::vector<bool> on;
  for (const char c : word) {
    if (c != '0' && c != '1') return std::nullopt;
    on.push_back(c == '1');
  }
  return on;
}

bool printable_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// One line of a state applied to it; false when the line is not one.
bool apply_line(Game& game, const std::vector<std::string>& w) {
  const std::string& key = w[0];
  const std::size_t args = w.size() - 1;
  const auto flag = [&](bool& field) {
    const auto value = args == 1 ? yes_or_no(w[1]) : std::nullopt;
    if (value) field = *value;
    return value.has_value();
  };
  if (key == "cells" && args == 1 && (w[1] == "enabled" || w[1] == "locked")) {
    game.controls.cells = w[1] == "enabled";
  } else if (key == "buttons" && args == 1) {
    const auto on = bits(w[1], 5);
    if (!on) return false;
    Controls& k = game.controls;
    k.load = (*on)[0], k.save = (*on)[1], k.freeze = (*on)[2], k.restart = (*on)[3], k.solve = (*on)[4];
  } else if ((key == "label1" || key == "label4") && args == 1) {
    if (w[1].size() > kMaxLabel || !printable_ascii(w[1])) return false;
    (key == "label1" ? game.label1 : game.label4) = w[1];
  } else if (key == "puzzle" && args == 1) {
    if (w[1] == "-") {
      game.puzzle = 0;
    } else {
      std::uint64_t value = 0;
      const auto [end, error] = std::from_chars(w[1].data(), w[1].data() + w[1].size(), value, 16);
      if (w[1].size() != 16 || error != std::errc() || end != w[1].data() + w[1].size() || value == 0)
        return false;
      game.puzzle = value;
    }
  } else if (key == "level" && args == 1) {
    const auto level = w[1] == "-" ? std::optional<int>(-1) : one_of(w[1], kLevels);
    if (!level) return false;
    game.level = *level;
  } else if (key == "played" && args == 1) {
    const auto played = number<std::int64_t>(w[1], 0, INT64_MAX);
    if (!played) return false;
    game.played_ms = *played;
  } else if (key == "protected") {
    return flag(game.givens_protected);
  } else if (key == "helped") {
    return flag(game.helped);
  } else if (key == "solved-by-solve") {
    return flag(game.solved_by_command);
  } else if (key == "finished") {
    return flag(game.finished);
  } else if (key == "board-flags" && args == 1) {
    const auto on = bits(w[1], 4);
    if (!on) return false;
    Board& b = game.board;
    b.is_valid = (*on)[0], b.is_complete = (*on)[1], b.solvable = (*on)[2], b.attempt_ok = (*on)[3];
  } else if (key == "counts" && args == 3) {
    const auto passes = number<std::int32_t>(w[1], 0, INT32_MAX);
    const auto guesses = number<std::int32_t>(w[2], 0, INT32_MAX);
    const auto difficulty = number<std::int32_t>(w[3], 0, INT32_MAX);
    if (!passes || !guesses || !difficulty) return false;
    game.board.pass_count = *passes, game.board.guess_count = *guesses, game.board.difficulty = *difficulty;
  } else if (key == "repetition" && args == 4) {
    const auto unit = number(w[1], 0, 27), digit = number(w[2], 0, 9);
    const auto first = number(w[3], 0, 81), second = number(w[4], 0, 81);
    if (!unit || !digit || !first || !second) return false;
    // What a validation found, or nothing yet: the Solve command names the unit.
    if ((*unit == 0) != (*digit == 0 || *first == 0 || *second == 0)) return false;
    game.board.repetition = {*unit, *digit, *first, *second};
  } else if (key == "cell" && args == 10) {
    const auto row = number(w[1], 1, 9), col = number(w[2], 1, 9);
    const auto digit = digit_or(w[3], '.');
    const auto owner = one_of(w[4], kOwners);
    const auto ink = one_of(w[5], kInks);
    const auto notes = mask_of_digits(w[6]);
    const bool wrong = w[7] == "wrong";
    const auto given = digit_or(w[8], '-'), solver_digit = digit_or(w[9], '-');
    const auto tried = mask_of_digits(w[10]);
    if (!row || !col || !digit || !owner || !ink || !notes || (!wrong && w[7] != "-") || !given ||
        !solver_digit || !tried)
      return false;
    // A cell shows a digit exactly when someone put it there.
    if ((*digit == 0) != (*owner == 0)) return false;
    const int index = grid_index(*row - 1, *col - 1);
    const auto i = static_cast<std::size_t>(index);
    game.cells[i] = {static_cast<std::uint8_t>(*digit), static_cast<DigitOwner>(*owner),
                     static_cast<CellInk>(*ink), static_cast<std::uint16_t>(*notes), wrong};
    game.board.given_value[i + 1] = static_cast<std::int16_t>(*given != 0 ? *given : kNotGiven);
    set_cell_digit(game.board, index, *solver_digit);
    game.board.tried_mask[i + 1] = static_cast<std::int16_t>(*tried);
  } else {
    return false;
  }
  return true;
}

FileError refusal(std::string_view file_name, std::string message) {
  return {.path = std::filesystem::path(file_name), .code = 0, .message = std::move(message)};
}

// A line as a message box can show it: a few dozen characters at most,
// control and non-ASCII bytes written as \xNN.
std::string shown_line(std::string_view line) {
  constexpr std::size_t kShown = 40;
  return escape_control(line.substr(0, kShown)) + (line.size() > kShown ? "..." : "");
}

}  // namespace

std::string format_game(const SavedGame& game) {
  std::string out = std::string(kMagic) + std::to_string(kGameFileVersion) + '\n';
  out += "states " + std::to_string(game.earlier.size() + 1 + game.later.size()) + " present " +
         std::to_string(game.earlier.size() + 1) + '\n';
  const Game start;
  const Game* before = &start;
  const auto add = [&](const Game& state) {
    append_state(out, state, *before);
    before = &state;
  };
  for (const Game& state : game.earlier) add(state);
  add(game.present);
  for (const Game& state : game.later) add(state);
  return out + "end\n";
}

FileResult<SavedGame> parse_game(std::string_view bytes, std::string_view file_name) {
  const std::string name = in_quotes(escape_control(file_name));
  std::size_t number_of_line = 0;
  // The next line, without its end (LF or CR LF); nothing at the end of the bytes.
  const auto next_line = [&]() -> std::optional<std::string_view> {
    if (bytes.empty()) return std::nullopt;
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    ++number_of_line;
    return line;
  };
  const auto bad_line = [&](std::string_view line) {
    return refusal(file_name, "Line " + std::to_string(number_of_line) + " of " + name +
                                  " is not understood: " + in_quotes(shown_line(line)) + ".");
  };
  const auto cut_short = [&] {
    return refusal(file_name, name + " is cut short: the game in it is not whole.");
  };

  const auto first = next_line();
  if (!first || !first->starts_with(kMagic)) return refusal(file_name, name + " is not a Quorlen game.");
  const std::string_view version = first->substr(kMagic.size());
  const auto found = number<int>(version, 1, INT32_MAX);
  if (!found) return refusal(file_name, name + " is not a Quorlen game.");
  if (*found != kGameFileVersion)
    return refusal(file_name, name + " was saved by a newer Quorlen (game format " + std::string(version) +
                                  "); this one reads format " + std::to_string(kGameFileVersion) + ".");

  const auto counts = next_line();
  if (!counts) return cut_short();
  const auto head = words_of(*counts);
  std::optional<std::size_t> states, present;
  if (head && head->size() == 4 && (*head)[0] == "states" && (*head)[2] == "present") {
    states = number<std::size_t>((*head)[1], 1, kMaxGameStates);
    if (states) present = number<std::size_t>((*head)[3], 1, *states);
  }
  if (!states || !present) return bad_line(*counts);

  std::vector<Game> played;
  Game state;
  for (;;) {
    const auto line = next_line();
    if (!line) return cut_short();
    if (*line == "state" || *line == "end") {
      if (!played.empty() || number_of_line > 3) played.push_back(state);
      if (*line == "end") break;
      if (played.size() == *states) return bad_line(*line);  // one state more than it said
      continue;
    }
    if (number_of_line == 3) return bad_line(*line);  // a state must begin first
    const auto words = words_of(*line);
    if (!words || words->empty() || !apply_line(state, *words)) return bad_line(*line);
  }
  if (played.size() != *states) return cut_short();
  if (!bytes.empty()) {
    next_line();
    return refusal(file_name, "Line " + std::to_string(number_of_line) + " of " + name +
                                  " follows the end of the game.");
  }
  SavedGame game;
  const auto at = static_cast<std::ptrdiff_t>(*present - 1);
  game.earlier.assign(played.begin(), played.begin() + at);
  game.present = played[static_cast<std::size_t>(at)];
  game.later.assign(played.begin() + at + 1, played.end());
  return game;
}

FileResult<SavedGame> read_game_file(const std::filesystem::path& path) {
  const FileResult<std::string> bytes = read_whole_file(path, kMaxGameFileBytes);
  if (!bytes) {
    if (bytes.error().code != EFBIG) return bytes.error();
    return refusal(path.string(), in_quotes(path.filename().string()) +
                                      " is too large to be a Quorlen game (more than " +
                                      std::to_string(kMaxGameFileBytes / (1024 * 1024)) + " MiB).");
  }
  FileResult<SavedGame> game = parse_game(bytes.value(), path.filename().string());
  if (!game) return refusal(path.string(), game.error().message);
  return game;
}

}  // namespace quorlen
