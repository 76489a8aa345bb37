// Recorded Solve outcomes: what one Solve command shows, reduced to one line
// of tab-separated fields, so that a later build can be compared with it to
// the last placement. Shared by the golden test and its generator.
//
//   message  grid  Label1  Label4  pass_count  guess_count  log_bytes
//   log_fnv1a64  view_fnv1a64
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace quorlen::golden {

// 64-bit FNV-1a, continued from `hash`.
inline std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
  for (const unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

inline std::string hex64(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// The grid's whole look: texts, colours, enabled states, length limits.
inline std::uint64_t hash_view(const View& view) {
  std::uint64_t hash = fnv1a64({});
  for (int i = 0; i < View::kCells; ++i) {
    const CellView& cell = view.cell(i);
    const char look[] = {static_cast<char>(cell.colour.red),  static_cast<char>(cell.colour.green),
                         static_cast<char>(cell.colour.blue), static_cast<char>(cell.enabled ? 1 : 0),
                         static_cast<char>(cell.max_length),  '\n'};
    hash = fnv1a64(cell.text, hash);
    hash = fnv1a64(std::string_view(look, sizeof look), hash);
  }
  return hash;
}

// New, type, Freeze, tick "Save to File", Solve; returns the record's fields.
inline std::string record_solve(Sudoku& window, HeadlessPlatform& platform, const DigitGrid& puzzle) {
  const std::filesystem::path log_path = platform.program_directory() / "steps.txt";
  std::filesystem::remove(log_path);
  window.enter_puzzle(puzzle);
  window.set_save_to_file(true);
  platform.messages.clear();
  window.CmdSolve_Click();

  std::string messages;
  for (const std::string& text : platform.messages) messages += (messages.empty() ? "" : "|") + text;
  std::ifstream in(log_path, std::ios::binary);
  const std::string log{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const View& view = window.view();
  std::ostringstream out;
  out << messages << '\t' << puzzle_string(shown_digits(view)) << '\t' << view.Label1 << '\t' << view.Label4
      << '\t' << window.board().pass_count << '\t' << window.board().guess_count << '\t' << log.size() << '\t'
      << hex64(fnv1a64(log)) << '\t' << hex64(hash_view(view));
  return out.str();
}

}  // namespace quorlen::golden
