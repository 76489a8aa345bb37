// Looks for grids that are slow to count or to solve, by hill-climbing.
//
//   quorlen_hill_climb [--solve] [--steps N] [--keep K] [--seed S] FILE...
//
// From each puzzle line of the FILEs it takes N random steps: a step adds a
// given (a digit that repeats none), removes one, or changes one, and the
// grid it makes is kept when it is at least as slow as the one before. How
// slow: the guesses of count_solutions, or with --solve the processor time
// of the whole Solve command (New, typing and Freeze not timed; the least of
// three runs), which other programs' load does not inflate.
// Prints the K slowest grids met (default 20), slowest first: the work
// (guesses, or microseconds), the guesses and solution counts of
// find_solution, the number of solutions (0, 1 or 2 for two or more), and
// the grid.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "board/puzzle.h"
#include "board/units.h"
#include "solver/complete_search.h"
#include "tool_options.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

struct Options {
  bool solve = false;
  long steps = 2000;
  std::size_t keep = 20;
  std::uint64_t seed = 1;
  std::vector<std::string> files;
};

// A digit that no unit of the cell holds yet, drawn from `random`; 0 when
// there is none.
int free_digit(const DigitGrid& grid, int index, std::mt19937_64& random) {
  unsigned used = 0;
  for (const int unit : kCellUnitIndexes[index + 1]) {
    for (int pos = 1; pos <= 9; ++pos) used |= 1u << grid[kUnitCells[unit + 1][pos] - 1];
  }
  std::vector<int> free;
  for (int d = 1; d <= 9; ++d) {
    if ((used & (1u << d)) == 0) free.push_back(d);
  }
  return free.empty() ? 0 : free[random() % free.size()];
}

DigitGrid mutate(DigitGrid grid, std::mt19937_64& random) {
  std::vector<int> givens, empty;
  for (int i = 0; i < 81; ++i) (grid[i] != 0 ? givens : empty).push_back(i);
  const unsigned step = static_cast<unsigned>(random() % 3);
  if ((step == 0 && !empty.empty()) || givens.empty()) {
    const int i = empty[random() % empty.size()];
    grid[i] = static_cast<std::uint8_t>(free_digit(grid, i, random));
  } else if (step == 1) {
    grid[givens[random() % givens.size()]] = 0;
  } else {
    const int i = givens[random() % givens.size()];
    grid[i] = 0;
    grid[i] = static_cast<std::uint8_t>(free_digit(grid, i, random));
  }
  return grid;
}

// The processor time this thread has used: unlike the time on the clock it
// does not count while other programs run.
double thread_microseconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return 1e6 * static_cast<double>(t.tv_sec) + 1e-3 * static_cast<double>(t.tv_nsec);
}

struct Measure {
  double work = 0;  // guesses of the count, or microseconds of the Solve command
  SearchStats find;
  int solutions = 0;
};

int run(const Options& options) {
  const auto dir = std::filesystem::temp_directory_path();
  HeadlessPlatform platform(dir);
  Sudoku window(platform, 0);  // nothing to undo
  const auto measure = [&](const DigitGrid& grid) {
    Measure m;
    SearchStats count;
    m.solutions = count_solutions(grid, nullptr, &count);
    DigitGrid solution{};
    find_solution(grid, solution, &m.find);
    if (!options.solve) {
      m.work = static_cast<double>(count.guesses);
      return m;
    }
    m.work = 1e300;
    for (int round = 0; round < 3; ++round) {
      window.enter_puzzle(grid);
      const double start = thread_microseconds();
      window.CmdSolve_Click();
      m.work = std::min(m.work, thread_microseconds() - start);
    }
    return m;
  };

  std::mt19937_64 random(options.seed);
  std::map<std::string, Measure> slowest;
  const auto remember = [&](const DigitGrid& grid, const Measure& m) {
    slowest.emplace(puzzle_string(grid), m);
    if (slowest.size() <= options.keep) return;
    auto least = std::min_element(slowest.begin(), slowest.end(),
                                  [](const auto& a, const auto& b) { return a.second.work < b.second.work; });
    slowest.erase(least);
  };
  for (const auto& file : options.files) {
    std::ifstream in(file);
    if (!in) {
      std::fprintf(stderr, "quorlen_hill_climb: cannot read %s\n", file.c_str());
      return 1;
    }
    for (std::string line; std::getline(in, line);) {
      const auto start =
          line.size() >= 81 ? parse_puzzle(std::string_view(line).substr(0, 81)) : std::nullopt;
      if (!start) continue;
      DigitGrid grid = *start;
      Measure current = measure(grid);
      remember(grid, current);
      for (long step = 0; step < options.steps; ++step) {
        const DigitGrid next = mutate(grid, random);
        const Measure m = measure(next);
        if (m.work < current.work) continue;
        grid = next;
        current = m;
        remember(grid, current);
      }
    }
  }
  std::vector<std::pair<std::string, Measure>> sorted(slowest.begin(), slowest.end());
  std::sort(sorted.begin(), sorted.end(),
            [](const auto& a, const auto& b) { return a.second.work > b.second.work; });
  for (const auto& [grid, m] : sorted) {
    std::printf("%.0f\t%lld\t%lld\t%d\t%s\n", m.work, m.find.guesses, m.find.counts, m.solutions,
                grid.c_str());
  }
  return 0;
}

}  // namespace
}  // namespace quorlen

int main(int argc, char** argv) {
  constexpr const char* kUsage =
      "usage: quorlen_hill_climb [--solve] [--steps N] [--keep K] [--seed S] FILE...\n";
  quorlen::Options options;
  const bool read = quorlen::tools::read_tool_options(
      argc, argv, kUsage,
      {{"--solve", false, [&](const char*) { options.solve = true; }},
       {"--steps", true, [&](const char* n) { options.steps = std::max(1L, std::atol(n)); }},
       {"--keep", true,
        [&](const char* k) { options.keep = static_cast<std::size_t>(std::max(1L, std::atol(k))); }},
       {"--seed", true, [&](const char* s) { options.seed = std::strtoull(s, nullptr, 10); }}},
      [&](const char* file) { options.files.push_back(file); });
  if (read && options.files.empty()) std::fputs(kUsage, stderr);
  return read && !options.files.empty() ? quorlen::run(options) : 2;
}
