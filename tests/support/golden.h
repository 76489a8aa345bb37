// Recorded Solve outcomes: what one Solve command shows, reduced to a line of
// tab-separated fields, so that a later build can be compared with it to the
// last placement. Shared by the golden test and its generator.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/test_support.h"

namespace quorlen::testing {

// 64-bit FNV-1a, continued from `hash`.
inline std::uint64_t fnv1a64(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ull) {
  for (const unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// Everything a Solve command leaves visible, with the step log and the
// grid's look (texts, colours, enabled, length limits) as hashes.
struct SolveRecord {
  std::string message;
  std::string grid;  // row-major, '.' for an empty cell
  std::string label1;
  std::string label4;
  std::int64_t pass_count = 0;
  std::int64_t guess_count = 0;
  std::int64_t log_bytes = 0;
  std::uint64_t log_hash = 0;
  std::uint64_t view_hash = 0;
  friend bool operator==(const SolveRecord&, const SolveRecord&) = default;
};

inline std::uint64_t hash_view(const View& view) {
  std::uint64_t hash = fnv1a64({});
  for (int i = 0; i < View::kCells; ++i) {
    const CellView& cell = view.cell(i);
    const char look[] = {static_cast<char>(cell.colour.red), static_cast<char>(cell.colour.green),
                         static_cast<char>(cell.colour.blue), static_cast<char>(cell.enabled ? 1 : 0),
                         static_cast<char>(cell.max_length), '\n'};
    hash = fnv1a64(cell.text, hash);
    hash = fnv1a64(std::string_view(look, sizeof look), hash);
  }
  return hash;
}

// New, type, Freeze, tick "Save to File", Solve; the step log is read back
// from the platform's program directory.
inline SolveRecord record_solve(Sudoku& window, ScriptedPlatform& platform, std::string_view puzzle) {
  const std::filesystem::path log_path = platform.program_directory() / "steps.txt";
  std::filesystem::remove(log_path);
  enter_puzzle(window, puzzle);
  window.view().Check2 = true;
  platform.messages.clear();
  window.CmdSolve_Click();

  SolveRecord r;
  for (const std::string& text : platform.messages) r.message += (r.message.empty() ? "" : "|") + text;
  r.grid = shown_grid(window.view());
  r.label1 = window.view().Label1;
  r.label4 = window.view().Label4;
  r.pass_count = window.board().pass_count;
  r.guess_count = window.board().guess_count;
  std::ifstream in(log_path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string log = bytes.str();
  r.log_bytes = static_cast<std::int64_t>(log.size());
  r.log_hash = fnv1a64(log);
  r.view_hash = hash_view(window.view());
  return r;
}

// One line of the golden file: where the puzzle comes from, the puzzle and
// its record.
struct GoldenEntry {
  std::string source;
  long line = 0;
  std::string puzzle;
  SolveRecord record;
};

inline std::string hex64(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

inline std::string format_golden(const GoldenEntry& e) {
  const SolveRecord& r = e.record;
  std::ostringstream out;
  out << e.source << '\t' << e.line << '\t' << e.puzzle << '\t' << r.message << '\t' << r.grid << '\t' << r.label1
      << '\t' << r.label4 << '\t' << r.pass_count << '\t' << r.guess_count << '\t' << r.log_bytes << '\t'
      << hex64(r.log_hash) << '\t' << hex64(r.view_hash);
  return out.str();
}

// Nothing for a comment, a blank or a malformed line.
inline std::optional<GoldenEntry> parse_golden(const std::string& line) {
  if (line.empty() || line.front() == '#') return std::nullopt;
  std::vector<std::string> f;
  for (std::size_t at = 0;;) {
    const std::size_t tab = line.find('\t', at);
    f.push_back(line.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
    if (tab == std::string::npos) break;
    at = tab + 1;
  }
  if (f.size() != 12) return std::nullopt;
  try {
    GoldenEntry e;
    e.source = f[0];
    e.line = std::stol(f[1]);
    e.puzzle = f[2];
    SolveRecord& r = e.record;
    r.message = f[3];
    r.grid = f[4];
    r.label1 = f[5];
    r.label4 = f[6];
    r.pass_count = std::stoll(f[7]);
    r.guess_count = std::stoll(f[8]);
    r.log_bytes = std::stoll(f[9]);
    r.log_hash = std::stoull(f[10], nullptr, 16);
    r.view_hash = std::stoull(f[11], nullptr, 16);
    if (e.puzzle.size() != 81) return std::nullopt;
    return e;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace quorlen::testing
