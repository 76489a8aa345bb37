// quorlen-window-puzzle-bench: how long the window's "New puzzle" makes a
// person wait. It makes puzzles as the menu does (a level, nothing else) on
// the window's own thread, so the slowest one is what matters: per level,
// the median, 99th and 99.9th percentile and maximum CPU time of one
// puzzle, from the thread's CPU clock, which other load on the machine
// does not inflate as it does wall-clock time.
//
//   quorlen-window-puzzle-bench [PUZZLES]     (default 5000 per level)
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "generator/generator.h"

namespace {

double cpu_ms() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const int puzzles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
  std::printf("%d puzzles per level, CPU milliseconds per puzzle\n", puzzles);
  for (int level = 0; level < quorlen::kLevelCount; ++level) {
    std::mt19937_64 random(12345u + static_cast<unsigned>(level));
    quorlen::PuzzleRequest request;
    request.level = static_cast<quorlen::Level>(level);
    std::vector<double> ms;
    for (int n = 0; n < puzzles; ++n) {
      const double start = cpu_ms();
      quorlen::make_puzzle(request, random);
      ms.push_back(cpu_ms() - start);
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double share) { return ms[static_cast<std::size_t>(share * (puzzles - 1))]; };
    std::printf("%-15s median %.2f  p99 %.2f  p99.9 %.2f  max %.2f\n",
                std::string(quorlen::level_name(request.level.value())).c_str(), at(0.5), at(0.99), at(0.999),
                ms.back());
  }
}
