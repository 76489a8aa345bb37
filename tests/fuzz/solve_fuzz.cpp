// libFuzzer target: arbitrary bytes as a puzzle, through the complete
// search and the Solve command.
//
// The first 81 bytes are the cells row by row: '1'-'9' a given, any other
// byte an empty cell (a shorter input leaves the rest empty), so that the
// collections' puzzle lines are seeds as they are. Checked for every input:
// the solution count, find_solution and random_solution agree on whether
// there is a solution, each solution they give is one of the grid, a grid
// with exactly one gets that one from both, and the work each search did
// stays within its bound; the Solve command says "Sudoku Solved" and shows
// a solution exactly when there is one. A new largest amount of work is
// printed with its grid, so that a run leaves its slowest grids in its log.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "board/grid_rules.h"
#include "board/puzzle.h"
#include "board/units.h"
#include "solver/complete_search.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace {

using quorlen::DigitGrid;

// Guesses of one count, and of all counts of one find_solution: above what
// any known grid needs (see tests/data/slow_grids.tsv), and about what a
// millisecond, and ten, allow.
constexpr long long kCountGuesses = 3000;
constexpr long long kFindGuesses = 30000;

using quorlen::solves;

void check(bool ok, const char* what, const DigitGrid& grid) {
  if (ok) return;
  std::fprintf(stderr, "%s: %s\n", what, quorlen::puzzle_string(grid).c_str());
  std::abort();
}

void report_most(long long& most, long long work, const char* what, const DigitGrid& grid) {
  if (work <= most) return;
  most = work;
  std::fprintf(stderr, "most %s so far: %lld %s\n", what, work, quorlen::puzzle_string(grid).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DigitGrid grid{};
  for (std::size_t i = 0; i < size && i < 81; ++i) {
    if (data[i] >= '1' && data[i] <= '9') {
      grid[quorlen::grid_index(static_cast<int>(i / 9), static_cast<int>(i % 9))] =
          static_cast<std::uint8_t>(data[i] - '0');
    }
  }

  quorlen::SearchStats counting;
  DigitGrid counted{};
  const int count = quorlen::count_solutions(grid, &counted, &counting);
  check(count >= 0 && count <= 2, "count out of range", grid);
  check(count == 0 || solves(grid, counted), "count_solutions gave no solution", grid);

  quorlen::SearchStats finding;
  DigitGrid found{};
  const bool has = quorlen::find_solution(grid, found, &finding);
  check(has == (count > 0), "find_solution and count_solutions disagree", grid);
  check(!has || solves(grid, found), "find_solution gave no solution", grid);
  check(count != 1 || found == counted, "two different only solutions", grid);

  std::uint64_t seed = 0;
  for (std::size_t i = 0; i < size; ++i) seed = seed * 131 + data[i];
  std::mt19937_64 random(seed);
  DigitGrid drawn{};
  const bool drew = quorlen::random_solution(grid, random, drawn);
  check(drew == has && (!drew || solves(grid, drawn)), "random_solution wrong", grid);

  static long long most_count = 0, most_find = 0;
  report_most(most_count, counting.guesses, "guesses in a count", grid);
  report_most(most_find, finding.guesses, "guesses in find_solution", grid);
  check(counting.guesses <= kCountGuesses, "too many guesses in a count", grid);
  check(finding.guesses <= kFindGuesses && finding.counts <= 1 + 81 * 8, "too much work in find_solution",
        grid);

  // The Solve command, with "Save to File" unticked: it writes nothing.
  static quorlen::HeadlessPlatform platform(std::filesystem::temp_directory_path());
  static quorlen::Sudoku window(platform, 0);
  window.enter_puzzle(grid);
  platform.messages.clear();
  window.CmdSolve_Click();
  const bool solved = platform.messages.size() == 1 && platform.messages[0] == "Sudoku Solved";
  check(solved == has, "the Solve command's outcome is wrong", grid);
  if (solved) {
    DigitGrid shown{};
    for (int i = 0; i < 81; ++i) {
      const std::string& text = window.view().cell_text(i);
      shown[i] =
          static_cast<std::uint8_t>(text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? text[0] - '0' : 0);
    }
    check(solves(grid, shown), "the Solve command shows no solution", grid);
  }
  return 0;
}
