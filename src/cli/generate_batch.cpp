#include "cli/generate_batch.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "cli/command_line.h"
#include "cli/ordered_queue.h"
#include "cli/ordered_run.h"
#include "generator/random.h"

namespace quorlen {

std::string generated_line(const Puzzle& puzzle) {
  const Rating& r = puzzle.rating;
  std::string line = puzzle_string(puzzle.givens) + '\t' + std::string(level_name(r.level)) + '\t' +
                     std::to_string(r.difficulty) + '\t' + std::to_string(puzzle.given_count) + '\t' +
                     std::to_string(r.passes) + '\t' + std::to_string(r.guesses);
  if (puzzle.person) line += '\t' + logic::rating_text(puzzle.person->er);
  return line;
}

std::optional<RatingBand> rating_band(std::string_view text) {
  // A rating in tenths: "7", "7.2".
  const auto tenths = [](std::string_view rating) -> std::optional<int> {
    const std::size_t dot = rating.find('.');
    const auto whole = bounded_number(rating.substr(0, dot), 20);
    if (!whole) return std::nullopt;
    if (dot == std::string_view::npos) return static_cast<int>(*whole) * 10;
    const auto tenth = bounded_number(rating.substr(dot + 1), 9);
    if (!tenth || rating.size() != dot + 2 || *whole * 10 + *tenth > 200) return std::nullopt;
    return static_cast<int>(*whole * 10 + *tenth);
  };
  const std::size_t dash = text.find('-');
  const auto low = tenths(text.substr(0, dash));
  const auto high = dash == std::string_view::npos ? low : tenths(text.substr(dash + 1));
  if (!low || !high || *low > *high) return std::nullopt;
  return RatingBand{*low, *high};
}

int run_generate(const GenerateOptions& options, int out, int err) {
  const int jobs = std::max(options.jobs, 1);
  // A job is a puzzle's number; its result, the puzzle's line.
  OrderedQueue<std::uint64_t, std::string> queue(
      std::max<std::size_t>(64, 16 * static_cast<std::size_t>(jobs)));
  std::atomic_flag noted;  // that puzzles as asked are rare, said once
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
          const auto stopped = [&] { return queue.stopped(); };
          auto puzzle = make_puzzle(options.request, random, stopped, kGridsBeforeNote);
          while (!puzzle && !queue.stopped()) {
            if (!noted.test_and_set()) {
              run.say(std::to_string(kGridsBeforeNote) +
                      " grids gave no puzzle as asked yet: such puzzles are rare; still looking");
            }
            puzzle = make_puzzle(options.request, random, stopped, kGridsBeforeNote);
          }
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
