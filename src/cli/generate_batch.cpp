#include "cli/generate_batch.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cli/batch.h"
#include "cli/ordered_queue.h"
#include "cli/output_file.h"
#include "generator/random.h"

namespace quorlen {

std::string generated_line(const Puzzle& puzzle) {
  const Rating& r = puzzle.rating;
  return puzzle_string(puzzle.givens) + '\t' + std::string(level_name(r.level)) + '\t' +
         std::to_string(r.difficulty) + '\t' + std::to_string(puzzle.given_count) + '\t' +
         std::to_string(r.passes) + '\t' + std::to_string(r.guesses);
}

int run_generate(const GenerateOptions& options, int out, int err) {
  const int jobs = std::max(options.jobs, 1);
  // A job is a puzzle's number; its result, the puzzle's line.
  OrderedQueue<std::uint64_t, std::string> queue(
      std::max<std::size_t>(64, 16 * static_cast<std::size_t>(jobs)));
  std::mutex failure_mutex;
  std::string failure;  // what a thread threw, if anything
  const auto guard = [&](auto body) {
    try {
      body();
    } catch (const std::exception& e) {
      std::lock_guard lock(failure_mutex);
      if (failure.empty()) failure = e.what();
      queue.stop();
    }
  };
  std::vector<std::jthread> threads;
  for (int i = 0; i < jobs; ++i) {
    threads.emplace_back([&] {
      guard([&] {
        while (auto job = queue.take_job()) {
          std::mt19937_64 random = puzzle_engine(options.seed, job->second);
          queue.finish(job->first, generated_line(make_puzzle(options.request, random)) + '\n');
        }
      });
    });
  }
  threads.emplace_back([&] {
    guard([&] {
      for (std::uint64_t n = 0; n < options.count && queue.push_job(n); ++n) {
      }
    });
    queue.close();
  });

  OutputFile output(out, "standard output");
  while (auto line = queue.next_result(
             [&] {
               if (!output.flush()) queue.stop();
             },
             [] { return false; })) {
    if (!output.write(*line)) break;
  }
  const bool written = output.flush();
  queue.stop();
  threads.clear();  // joins them
  std::string problem = !written ? output.error() : failure;
  if (problem.empty()) return kAllWentThrough;
  OutputFile errors(err, "standard error");
  errors.write("quorlen-generate: " + problem + "\n");
  errors.flush();
  return kOutputFailed;
}

}  // namespace quorlen
