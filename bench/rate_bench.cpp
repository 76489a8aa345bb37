// quorlen-rate-bench: how fast the person's solver rates puzzles, per
// rating band, on one core.
//
// Every puzzle of rated.txt (tests/data, or --file) is rated once as a
// warm-up, then --rounds times (default 3); a puzzle's time is the median
// of its rounds, in processor time of this thread, which other programs'
// load does not inflate. Reported per band of the puzzles' listed rating:
// puzzles, median, mean, 90th percentile and maximum time per rating.
//
// Then the searches short of chains on their own: on the grid halfway
// along each puzzle's path, every one of them is run once (not only up to
// the first that finds a step), which is what a step costs before the
// chains are asked; the median and the most over the puzzles.
//
//   quorlen-rate-bench [--file RATED] [--rounds N]
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "logic/rating.h"
#include "logic/techniques.h"
#include "tool_options.h"

namespace quorlen {
namespace {

using logic::Grid;
using logic::Step;
using logic::Workspace;

double thread_seconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

std::string cpu_model() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

struct Puzzle {
  Grid grid;
  int listed = 0;  // tenths
  double seconds = 0;
};

std::vector<Puzzle> read_puzzles(const std::string& file) {
  std::ifstream in(file);
  std::vector<Puzzle> puzzles;
  for (std::string line; std::getline(in, line);) {
    const auto grid = Grid::from_string(line.substr(0, 81));
    int whole = 0, tenth = 0;
    if (!grid || line.size() < 85 || std::sscanf(line.c_str() + 82, "%d.%d", &whole, &tenth) != 2) continue;
    puzzles.push_back({*grid, whole * 10 + tenth, 0});
  }
  return puzzles;
}

struct Band {
  const char* name;
  int low;   // tenths, inclusive
  int high;  // exclusive
};

void print_band(const Band& band, const std::vector<Puzzle>& puzzles) {
  std::vector<double> times;
  for (const Puzzle& p : puzzles) {
    if (p.listed >= band.low && p.listed < band.high) times.push_back(p.seconds);
  }
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  double total = 0;
  for (const double t : times) total += t;
  const std::size_t n = times.size();
  std::printf("%-12s %7zu %10.3f %10.3f %10.3f %10.3f\n", band.name, n, 1e3 * times[n / 2],
              1e3 * total / static_cast<double>(n), 1e3 * times[std::min(n - 1, n * 9 / 10)],
              1e3 * times.back());
}

// Every search short of chains, once each, in the order they are asked.
void run_plain_searches(const Grid& grid, Workspace& work) {
  Step step;
  bool found = false;
  found |= logic::find_hidden_single(grid, step, work);
  found |= logic::find_direct_intersection(grid, step, work);
  found |= logic::find_direct_hidden_set(grid, step, work, 2);
  found |= logic::find_naked_single(grid, step, work);
  found |= logic::find_direct_hidden_set(grid, step, work, 3);
  found |= logic::find_intersection(grid, step, work);
  for (int size = 2; size <= 4; ++size) {
    found |= logic::find_naked_set(grid, step, work, size);
    found |= logic::find_fish(grid, step, work, size);
    found |= logic::find_hidden_set(grid, step, work, size);
  }
  for (int links = 2; links <= 4; ++links) found |= logic::find_strong_links(grid, step, work, links);
  found |= logic::find_xy_wing(grid, step, work, false);
  found |= logic::find_xy_wing(grid, step, work, true);
  found |= logic::find_unique_loop(grid, step, work);
  for (int cells = 3; cells <= 6; ++cells) found |= logic::find_set_wing(grid, step, work, cells);
  found |= logic::find_bug(grid, step, work);
  found |= logic::find_aligned_exclusion(grid, step, work, 2);
  found |= logic::find_aligned_exclusion(grid, step, work, 3);
  // Kept, so that the searches are not optimised away.
  if (found && step.rating < 0) std::puts("");
}

int run(const std::string& file, int rounds) {
  std::vector<Puzzle> puzzles = read_puzzles(file);
  if (puzzles.empty()) {
    std::fprintf(stderr, "quorlen-rate-bench: no rated puzzles in '%s'\n", file.c_str());
    return 1;
  }
  std::printf("compiler: %s (%s), build %s, flags: %s\n", QUORLEN_BENCH_COMPILER, __VERSION__,
              QUORLEN_BENCH_BUILD, QUORLEN_BENCH_FLAGS);
  cpu_set_t usable;
  const int usable_count = ::sched_getaffinity(0, sizeof usable, &usable) == 0 ? CPU_COUNT(&usable) : -1;
  std::printf("cpu: %s, %ld online, %d usable by this process (the benchmark uses one)\n",
              cpu_model().c_str(), ::sysconf(_SC_NPROCESSORS_ONLN), usable_count);
#ifndef __OPTIMIZE__
  std::printf("warning: built without optimisation; the times mean little\n");
#endif
  std::printf("%zu puzzles of %s; each puzzle's time is the median of %d ratings, after a warm-up pass\n\n",
              puzzles.size(), file.c_str(), rounds);

  Workspace work;
  int rated_beyond = 0;
  for (Puzzle& p : puzzles) rated_beyond += logic::rate(p.grid, work).er == logic::kBeyondRating;
  for (Puzzle& p : puzzles) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
      const double start = thread_seconds();
      const logic::Rating rating = logic::rate(p.grid, work);
      times.push_back(thread_seconds() - start);
      if (rating.steps < 0) std::puts("");
    }
    std::sort(times.begin(), times.end());
    p.seconds = times[times.size() / 2];
  }
  std::printf("%-12s %7s %10s %10s %10s %10s   (ms per rating)\n", "listed ER", "puzzles", "median", "mean",
              "90%", "max");
  const Band bands[] = {{"all", 0, 1000},         {"below 5.0", 0, 50}, {"5.0-7.4", 50, 75},
                        {"7.5 and up", 75, 1000}, {"1.0-1.9", 10, 20},  {"2.0-2.9", 20, 30},
                        {"3.0-3.9", 30, 40},      {"4.0-4.9", 40, 50},  {"5.0-5.9", 50, 60},
                        {"6.0-6.9", 60, 70},      {"7.0-7.9", 70, 80},  {"8.0-8.9", 80, 90},
                        {"9.0 and up", 90, 1000}};
  for (const Band& band : bands) print_band(band, puzzles);
  if (rated_beyond > 0) std::printf("(%d puzzles rated 20.0: a search they need is missing)\n", rated_beyond);

  std::vector<double> scans;
  for (const Puzzle& p : puzzles) {
    const logic::Path path = logic::solve_path(p.grid, work);
    Grid grid = p.grid;
    for (std::size_t i = 0; i < path.steps.size() / 2; ++i) logic::apply(grid, path.steps[i]);
    std::vector<double> times;
    for (int round = 0; round < std::max(rounds, 5); ++round) {
      const double start = thread_seconds();
      run_plain_searches(grid, work);
      times.push_back(thread_seconds() - start);
    }
    std::sort(times.begin(), times.end());
    scans.push_back(times[times.size() / 2]);
  }
  std::sort(scans.begin(), scans.end());
  std::printf(
      "\nevery search short of chains once, on the grid halfway along each path: median %.1f us, most %.1f "
      "us\n",
      1e6 * scans[scans.size() / 2], 1e6 * scans.back());
  return 0;
}

}  // namespace
}  // namespace quorlen

int main(int argc, char** argv) {
  std::string file = QUORLEN_BENCH_DATA_DIR "/rated.txt";
  int rounds = 3;
  const bool read = quorlen::tools::read_tool_options(
      argc, argv, "usage: quorlen-rate-bench [--file RATED] [--rounds N]\n",
      {{"--file", true, [&](const char* f) { file = f; }},
       {"--rounds", true, [&](const char* n) { rounds = std::max(1, std::atoi(n)); }}});
  return read ? quorlen::run(file, rounds) : 2;
}
