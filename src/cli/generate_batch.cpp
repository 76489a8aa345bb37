#include "cli/generate_batch.h"

#include <algorithm>
#include <string>

#include "cli/command_line.h"
#include "cli/ordered_queue.h"
#include "cli/ordered_run.h"
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
  OrderedRun run(queue, "quorlen-generate", out, err);
  const bool started = run.start(
      jobs, "generating",
      [&] {
        for (std::uint64_t n = 0; n < options.count && queue.push_job(n); ++n) {
        }
      },
      [&] {
        while (auto job = queue.take_job()) {
          std::mt19937_64 random = puzzle_engine(options.seed, job->second);
          const auto puzzle = make_puzzle(options.request, random, [&] { return queue.stopped(); });
          if (!puzzle) return;
          queue.finish(job->first, generated_line(*puzzle) + '\n');
        }
      });
  if (!started) return kOutputFailed;
  const bool whole =
      run.write([](OutputFile& output, const std::string& line) { return output.write(line); });
  return whole ? kAllWentThrough : kOutputFailed;
}

}  // namespace quorlen
