// Writes the golden Solve outcomes that tests/solver/golden_test.cpp checks.
//
//   quorlen_make_golden DATA_DIR OUT.tsv          the committed selection
//   quorlen_make_golden --all DATA_DIR OUT.tsv    every puzzle of every
//                                                 collection, and a broken
//                                                 variant of each top1465 one
//
// The selection: every puzzle of top95, every 10th of top1465, every 4th of
// clues25 and clues30, every 2nd of easy50; then puzzles the Solve command
// must fail on: every 50th top1465 puzzle with one wrong given that repeats
// no digit (so only the whole run of attempts and the complete search can
// tell), and three easy50 puzzles with a given that repeats a digit in a
// column, a row or a box.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "solver/complete_search.h"
#include "support/golden.h"

namespace quorlen::testing {
namespace {

struct Case {
  std::string source;
  long line;
  std::string puzzle;
};

std::vector<std::string> read_puzzles(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::string> puzzles;
  for (std::string line; std::getline(in, line);) puzzles.push_back(line.substr(0, 81));
  return puzzles;
}

// Row-major puzzle text to digits by grid index.
DigitGrid to_grid(const std::string& puzzle) {
  DigitGrid grid{};
  for (int i = 0; i < 81; ++i) {
    const char c = puzzle[static_cast<std::size_t>(i)];
    if (c >= '1' && c <= '9') grid[grid_index(i / 9, i % 9)] = static_cast<std::uint8_t>(c - '0');
  }
  return grid;
}

// Which units (0 column, 1 row, 2 box) of the row-major cell i hold digit d.
std::array<bool, 3> units_holding(const std::string& puzzle, int i, char d) {
  const int row = i / 9, col = i % 9;
  std::array<bool, 3> held{};
  for (int j = 0; j < 81; ++j) {
    if (puzzle[static_cast<std::size_t>(j)] != d) continue;
    if (j % 9 == col) held[0] = true;
    if (j / 9 == row) held[1] = true;
    if (j / 27 == row / 3 && (j % 9) / 3 == col / 3) held[2] = true;
  }
  return held;
}

// The first empty cell and smallest digit that break the puzzle's one
// solution while repeating no digit.
std::optional<std::string> with_wrong_given(const std::string& puzzle) {
  DigitGrid solution{};
  if (!find_solution(to_grid(puzzle), solution)) return std::nullopt;
  for (int i = 0; i < 81; ++i) {
    if (puzzle[static_cast<std::size_t>(i)] != '.') continue;
    for (char d = '1'; d <= '9'; ++d) {
      if (d - '0' == solution[grid_index(i / 9, i % 9)]) continue;
      const auto held = units_holding(puzzle, i, d);
      if (held[0] || held[1] || held[2]) continue;
      std::string broken = puzzle;
      broken[static_cast<std::size_t>(i)] = d;
      return broken;
    }
  }
  return std::nullopt;
}

// The first empty cell and smallest digit that repeat a digit in a unit of
// `kind` (0 column, 1 row, 2 box) and in none checked before it.
std::optional<std::string> with_repeat(const std::string& puzzle, int kind) {
  for (int i = 0; i < 81; ++i) {
    if (puzzle[static_cast<std::size_t>(i)] != '.') continue;
    for (char d = '1'; d <= '9'; ++d) {
      const auto held = units_holding(puzzle, i, d);
      bool earlier = false;
      for (int k = 0; k < kind; ++k) earlier |= held[static_cast<std::size_t>(k)];
      if (!held[static_cast<std::size_t>(kind)] || earlier) continue;
      std::string broken = puzzle;
      broken[static_cast<std::size_t>(i)] = d;
      return broken;
    }
  }
  return std::nullopt;
}

std::vector<Case> select_cases(const std::filesystem::path& dir, bool all) {
  std::vector<Case> cases;
  const auto take = [&](const char* name, long stride) {
    const auto puzzles = read_puzzles(dir / name);
    for (std::size_t i = 0; i < puzzles.size(); i += static_cast<std::size_t>(all ? 1 : stride)) {
      cases.push_back({name, static_cast<long>(i + 1), puzzles[i]});
    }
  };
  take("top95.txt", 1);
  take("top1465.txt", 10);
  take("clues25.txt", 4);
  take("clues30.txt", 4);
  take("easy50.txt", 2);

  const auto top = read_puzzles(dir / "top1465.txt");
  for (std::size_t i = 4; i < top.size(); i += all ? 1 : 50) {
    if (auto broken = with_wrong_given(top[i])) cases.push_back({"top1465.txt+wrong", static_cast<long>(i + 1), *broken});
  }
  const auto easy = read_puzzles(dir / "easy50.txt");
  const char* kinds[] = {"easy50.txt+repeat-column", "easy50.txt+repeat-row", "easy50.txt+repeat-box"};
  for (std::size_t i : {1u, 3u, 5u}) {
    for (int kind = 0; kind < 3; ++kind) {
      if (auto broken = with_repeat(easy[i], kind)) cases.push_back({kinds[kind], static_cast<long>(i + 1), *broken});
    }
  }
  return cases;
}

}  // namespace
}  // namespace quorlen::testing

int main(int argc, char** argv) {
  using namespace quorlen::testing;
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool all = !args.empty() && args.front() == "--all";
  if (all) args.erase(args.begin());
  if (args.size() != 2) {
    std::cerr << "usage: quorlen_make_golden [--all] DATA_DIR OUT.tsv\n";
    return 2;
  }
  const auto work = std::filesystem::temp_directory_path() / ("quorlen_golden_" + std::to_string(::getpid()));
  std::filesystem::create_directories(work);
  ScriptedPlatform platform(work);
  quorlen::Sudoku window(platform);

  std::ofstream out(args[1], std::ios::binary);
  out << "# Golden Solve outcomes; see tests/data/README.md for the format.\n"
         "# source\tline\tpuzzle\tmessage\tgrid\tLabel1\tLabel4\tpass_count\tguess_count\tlog_bytes\tlog_fnv1a64"
         "\tview_fnv1a64\n";
  long count = 0;
  for (const Case& c : select_cases(args[0], all)) {
    out << format_golden({c.source, c.line, c.puzzle, record_solve(window, platform, c.puzzle)}) << '\n';
    ++count;
  }
  std::filesystem::remove_all(work);
  out.close();
  if (!out) {
    std::cerr << "quorlen_make_golden: cannot write " << args[1] << "\n";
    return 1;
  }
  std::cerr << count << " outcomes written to " << args[1] << "\n";
  return 0;
}
