// quorlen-bench: how fast the Solve command is, through the window logic.
//
// For each collection of tests/data: every puzzle is entered (New, typing,
// Freeze; not timed) and solved with "Save to File" unticked; only
// CmdSolve_Click is timed. A first pass with the log ticked counts the
// placed digits (the log's lines) and warms caches and branch predictors;
// then --rounds timed passes follow, and each puzzle's time is its median
// over the rounds, which keeps a stray preemption from posing as the
// slowest puzzle. Reported per collection: puzzles per second, mean,
// median, 99th percentile and maximum time per Solve, placements per second.
//
// Then the failing paths: the whole Solve command for top1465 puzzles made
// unsolvable by one wrong given (every --wrong-stride'th one), and the
// complete search alone, on the puzzles the attempts give up on and on the
// wrong-given grids. Then count_solutions alone, with its guesses: on
// top1465 and on the 17-given puzzles of clues17.txt, each of which has one
// solution; on the puzzles of clues25.txt and clues30.txt less one given
// (what a generator asks); on the slowest grids known, tests/data/
// slow_grids.tsv. Last, the Solve command on those slowest grids, by the
// clock and by the processor time it used.
//
//   quorlen-bench [--data DIR] [--rounds N] [--wrong-stride N]
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "board/puzzle.h"
#include "solver/complete_search.h"
#include "tool_options.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"
#include "variants.h"

namespace quorlen {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> read_puzzles(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> puzzles;
  for (std::string line; std::getline(in, line);) {
    if (line.size() >= 81) puzzles.push_back(line.substr(0, 81));
  }
  return puzzles;
}

// The processor time this thread has used, in seconds: unlike the clock's,
// it does not grow while the system runs another program.
double thread_seconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Stats {
  double mean = 0, median = 0, p99 = 0, max = 0, total = 0;
};

Stats stats_of(std::vector<double> seconds) {
  Stats s;
  if (seconds.empty()) return s;
  std::sort(seconds.begin(), seconds.end());
  for (double t : seconds) s.total += t;
  const std::size_t n = seconds.size();
  s.mean = s.total / static_cast<double>(n);
  s.median = n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
  // Nearest rank: the smallest time that 99% of the puzzles do not exceed.
  const std::size_t rank = (99 * n + 99) / 100;
  s.p99 = seconds[std::max<std::size_t>(rank, 1) - 1];
  s.max = seconds.back();
  return s;
}

double median_of(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Each puzzle's time: the median over `rounds` timed runs of `run(i)`.
std::vector<double> time_each(std::size_t count, int rounds, const std::function<double(std::size_t)>& run) {
  std::vector<std::vector<double>> samples(count);
  for (int r = 0; r < rounds; ++r) {
    for (std::size_t i = 0; i < count; ++i) samples[i].push_back(run(i));
  }
  std::vector<double> times;
  for (auto& s : samples) times.push_back(median_of(s));
  return times;
}

void print_header() {
  std::printf("%-22s %7s %10s %10s %9s %9s %9s %9s %12s\n", "collection", "puzzles", "placements",
              "puzzles/s", "mean ms", "median ms", "p99 ms", "max ms", "placements/s");
}

void print_row(const std::string& name, std::size_t puzzles, long placements, const Stats& s) {
  char rate[32] = "-";
  if (placements >= 0) std::snprintf(rate, sizeof rate, "%.3g", static_cast<double>(placements) / s.total);
  char count[32] = "-";
  if (placements >= 0) std::snprintf(count, sizeof count, "%ld", placements);
  std::printf("%-22s %7zu %10s %10.0f %9.4f %9.4f %9.4f %9.4f %12s\n", name.c_str(), puzzles, count,
              static_cast<double>(puzzles) / s.total, 1e3 * s.mean, 1e3 * s.median, 1e3 * s.p99, 1e3 * s.max,
              rate);
}

std::string cpu_model() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

struct Options {
  std::filesystem::path data = QUORLEN_BENCH_DATA_DIR;
  int rounds = 5;
  int wrong_stride = 10;
};

void print_machine(const Options& options) {
  std::printf("compiler: %s (%s), build %s, flags: %s\n", QUORLEN_BENCH_COMPILER, __VERSION__,
              QUORLEN_BENCH_BUILD, QUORLEN_BENCH_FLAGS);
  cpu_set_t usable;
  const int usable_count = ::sched_getaffinity(0, sizeof usable, &usable) == 0 ? CPU_COUNT(&usable) : -1;
  std::printf("cpu: %s, %ld online, %d usable by this process (the benchmark uses one)\n",
              cpu_model().c_str(), ::sysconf(_SC_NPROCESSORS_ONLN), usable_count);
#ifndef __OPTIMIZE__
  std::printf("warning: built without optimisation; the times mean little\n");
#endif
  std::printf("each puzzle's time is the median of %d timed Solve commands, after a warm-up pass\n\n",
              options.rounds);
}

std::vector<DigitGrid> grids_of(const std::vector<std::string>& puzzles) {
  std::vector<DigitGrid> grids;
  for (const auto& puzzle : puzzles) grids.push_back(*parse_puzzle(puzzle));
  return grids;
}

// The slowest of `puzzles` by `times`.
const std::string& slowest(const std::vector<std::string>& puzzles, const std::vector<double>& times) {
  return puzzles[static_cast<std::size_t>(std::max_element(times.begin(), times.end()) - times.begin())];
}

// Stops the benchmark with a message on standard error.
[[noreturn]] void fail(const std::string& message) {
  std::fprintf(stderr, "quorlen-bench: %s\n", message.c_str());
  std::exit(1);
}

// The benchmark's sections, on one window whose log goes to a folder of
// its own.
class Bench {
 public:
  explicit Bench(const Options& options)
      : options_(options), platform_(make_dir()), window_(platform_, 0) {}  // as quorlen-solve
  ~Bench() { std::filesystem::remove_all(dir_); }

  // The Solve command on each collection; the puzzles that needed the
  // complete search are kept for search_alone.
  void collections() {
    print_header();
    for (const char* name :
         {"easy50.txt", "clues25.txt", "clues30.txt", "top95.txt", "top1465.txt", "clues17.txt"}) {
      const auto puzzles = read_puzzles(options_.data / name);
      if (puzzles.empty()) fail("no puzzles in " + (options_.data / name).string());
      long placements = 0;
      for (const auto& puzzle : puzzles) {
        solve(puzzle, true);
        placements += log_lines();
        if (platform_.messages.back() != "Sudoku Solved") fail(std::string(name) + ": not solved: " + puzzle);
        if (window_.last_solve_by_search()) given_up_.push_back(*parse_puzzle(puzzle));
      }
      const auto times =
          time_each(puzzles.size(), options_.rounds, [&](std::size_t i) { return solve(puzzles[i], false); });
      print_row(name, puzzles.size(), placements, stats_of(times));
    }
  }

  // Unsolvable: every attempt runs, then the complete search proves it.
  void unsolvable() {
    const auto top = read_puzzles(options_.data / "top1465.txt");
    for (const auto& puzzle : top) {
      if (auto broken = variants::with_wrong_given(puzzle)) wrong_.push_back(*broken);
    }
    std::vector<std::string> sample;
    for (std::size_t i = 0; i < wrong_.size(); i += static_cast<std::size_t>(options_.wrong_stride)) {
      sample.push_back(wrong_[i]);
    }
    solve_rows("top1465+wrong (Solve)", sample);
  }

  // The complete search on its own, from the givens.
  void search_alone() {
    std::printf("\ncomplete search alone\n");
    print_header();
    print_row("given up by attempts", given_up_.size(), -1, stats_of(search_times(given_up_, true)));
    const auto wrong = grids_of(wrong_);
    print_row("top1465+wrong", wrong.size(), -1, stats_of(search_times(wrong, false)));
  }

  // Counting solutions, up to two, from the givens.
  void counts() {
    std::printf("\nsolution counts (count_solutions)\n");
    print_header();
    for (const char* name : {"top1465.txt", "clues17.txt"})
      count_row(name, grids_of(read_puzzles(options_.data / name)), 1);
    // What a generator asks: is a solution still unique once a given goes?
    std::vector<DigitGrid> less_one;
    for (const char* name : {"clues25.txt", "clues30.txt"}) {
      for (const auto& g : grids_of(read_puzzles(options_.data / name))) {
        for (int i = 0; i < 81; ++i) {
          if (g[i] == 0) continue;
          less_one.push_back(g);
          less_one.back()[i] = 0;
        }
      }
    }
    count_row("clues25/30 less one", less_one, -1);
  }

  // The slowest grids known (tests/data/slow_grids.tsv): the count, and the
  // whole Solve command.
  void slow_grids() {
    std::vector<std::string> puzzles;
    std::ifstream in(options_.data / "slow_grids.tsv");
    for (std::string line; std::getline(in, line);) {
      if (line.size() >= 81 && line[0] != '#') puzzles.push_back(line.substr(0, 81));
    }
    if (puzzles.empty()) fail("no grids in " + (options_.data / "slow_grids.tsv").string());
    const auto counts = count_row("slow_grids.tsv", grids_of(puzzles), -1);
    std::printf("%-22s slowest: %s\n", "", slowest(puzzles, counts).c_str());
    std::printf("\nthe slowest grids known: the whole Solve command\n");
    print_header();
    const auto solves = solve_rows("slow_grids.tsv (Solve)", puzzles);
    std::printf("%-22s slowest: %s\n", "", slowest(puzzles, solves).c_str());
    // A preemption that lands on the same grid in most rounds passes for a
    // slow grid on a busy machine; the processor time does not count it.
    const auto cpu =
        time_each(puzzles.size(), options_.rounds, [&](std::size_t i) { return solve_cpu(puzzles[i]); });
    print_row("slow_grids.tsv (CPU)", puzzles.size(), -1, stats_of(cpu));
    std::printf("%-22s slowest: %s\n", "", slowest(puzzles, cpu).c_str());
  }

 private:
  std::filesystem::path make_dir() {
    dir_ = std::filesystem::temp_directory_path() / ("quorlen_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    return dir_;
  }

  // Solves one puzzle and returns the Solve command's time in seconds.
  double solve(const std::string& puzzle, bool logging) {
    window_.enter_puzzle(*parse_puzzle(puzzle));
    platform_.messages.clear();
    window_.set_save_to_file(logging);
    const auto start = Clock::now();
    window_.CmdSolve_Click();
    return seconds_since(start);
  }

  // The same, as the processor time of the Solve command.
  double solve_cpu(const std::string& puzzle) {
    window_.enter_puzzle(*parse_puzzle(puzzle));
    platform_.messages.clear();
    window_.set_save_to_file(false);
    const double start = thread_seconds();
    window_.CmdSolve_Click();
    return thread_seconds() - start;
  }

  long log_lines() const {
    std::ifstream in(dir_ / "steps.txt", std::ios::binary);
    long lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
  }

  // A row of the Solve command's times on `puzzles`, after a warm-up pass.
  std::vector<double> solve_rows(const std::string& name, const std::vector<std::string>& puzzles) {
    for (const auto& puzzle : puzzles) solve(puzzle, false);
    const auto times =
        time_each(puzzles.size(), options_.rounds, [&](std::size_t i) { return solve(puzzles[i], false); });
    print_row(name, puzzles.size(), -1, stats_of(times));
    return times;
  }

  // find_solution's times on `grids`, after checking its answers.
  std::vector<double> search_times(const std::vector<DigitGrid>& grids, bool expect_solution) const {
    for (const auto& g : grids) {
      DigitGrid solution{};
      if (find_solution(g, solution) != expect_solution) fail("complete search gave an unexpected answer");
    }
    return time_each(grids.size(), options_.rounds, [&](std::size_t i) {
      DigitGrid solution{};
      const auto start = Clock::now();
      const bool found = find_solution(grids[i], solution);
      const double t = seconds_since(start);
      if (found && solution[0] == 0) std::abort();  // keeps the call from being dropped
      return t;
    });
  }

  // A row of count_solutions' times, checked against `expected` (-1: any),
  // and the guesses each count took, a measure that does not depend on the
  // machine.
  std::vector<double> count_row(const std::string& name, const std::vector<DigitGrid>& grids,
                                int expected) const {
    SearchStats work;
    long long most = 0;
    for (const auto& g : grids) {
      SearchStats one;
      if (const int count = count_solutions(g, nullptr, &one); expected >= 0 && count != expected)
        fail(name + ": a grid without " + std::to_string(expected) + " solution(s)");
      work.guesses += one.guesses;
      most = std::max(most, one.guesses);
    }
    int counted = 0;  // keeps the calls from being dropped
    const auto times = time_each(grids.size(), options_.rounds, [&](std::size_t i) {
      const auto start = Clock::now();
      counted += count_solutions(grids[i]);
      return seconds_since(start);
    });
    if (counted < 0) std::abort();
    print_row(name, grids.size(), -1, stats_of(times));
    const double mean = static_cast<double>(work.guesses) / static_cast<double>(grids.size());
    std::printf("%-22s guesses per count: mean %.1f, max %lld\n", "", mean, most);
    return times;
  }

  const Options& options_;
  std::filesystem::path dir_;
  HeadlessPlatform platform_;
  Sudoku window_;
  std::vector<DigitGrid> given_up_;  // the puzzles that needed the complete search
  std::vector<std::string> wrong_;   // top1465 puzzles with a wrong given
};

int run(const Options& options) {
  print_machine(options);
  Bench bench(options);
  bench.collections();
  bench.unsolvable();
  bench.search_alone();
  bench.counts();
  bench.slow_grids();
  return 0;
}

}  // namespace
}  // namespace quorlen

int main(int argc, char** argv) {
  quorlen::Options options;
  const bool read = quorlen::tools::read_tool_options(
      argc, argv, "usage: quorlen-bench [--data DIR] [--rounds N] [--wrong-stride N]\n",
      {{"--data", true, [&](const char* dir) { options.data = dir; }},
       {"--rounds", true, [&](const char* n) { options.rounds = std::max(1, std::atoi(n)); }},
       {"--wrong-stride", true, [&](const char* n) { options.wrong_stride = std::max(1, std::atoi(n)); }}});
  return read ? quorlen::run(options) : 2;
}
