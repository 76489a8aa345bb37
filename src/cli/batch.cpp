#include "cli/batch.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <set>

#include "board/units.h"
#include "cli/ordered_queue.h"
#include "cli/ordered_run.h"
#include "cli/output_file.h"
#include "cli/puzzle_inputs.h"
#include "files/sud_file.h"
#include "logic/rating.h"
#include "solver/complete_search.h"
#include "ui/headless_platform.h"
#include "ui/outcome_texts.h"
#include "ui/step_texts.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

// Puzzle lines go to the solving threads in batches: a lock and a wake-up
// for each puzzle would cost more than counting its solutions. A rating
// costs a hundred counts and more, so its batches are smaller, and the
// threads share the work of a short file evenly.
constexpr std::size_t kBatchPuzzles = 64;
constexpr std::size_t kRatingBatchPuzzles = 8;

struct Job {
  std::vector<DigitGrid> puzzles;
  std::string sud_file;  // when not empty, the one puzzle is this file's
};

// One item of the output, in input order: a batch's lines, or a refusal.
struct Outcome {
  // Each puzzle's output line without its number, each ended by '\n'; with
  // --explain, each puzzle's lines and then an empty line.
  std::string lines;
  std::string message;         // for standard error, without the program's name; or empty
  bool refused = false;        // an input line or file that could not be used
  std::string step_log_error;  // "PATH: reason" when Solve could not write its log
};

using Queue = OrderedQueue<Job, Outcome>;

Outcome refusal(const std::string& what) {
  return {.lines = {}, .message = what, .refused = true, .step_log_error = {}};
}

// A window of its own, for one thread.
class PuzzleRunner {
 public:
  explicit PuzzleRunner(const BatchOptions& options)
      : options_(options), platform_(options.program_dir), window_(platform_, 0) {}  // nothing to undo

  Outcome run(const Job& job, const Queue& queue) {
    Outcome outcome;
    if (!job.sud_file.empty()) {
      // New, Load the file through the dialog, Freeze, Solve.
      window_.cmdNew_Click();
      platform_.messages.clear();
      platform_.requests.clear();
      platform_.answer_next_dialog(job.sud_file);
      window_.cmdLoad_Click();
      if (!platform_.messages.empty())
        return refusal(job.sud_file + ": " + platform_.messages.back() + " Skipped.");
      const DigitGrid givens = shown_digits(window_.view());
      window_.cmdFreeze_Click();
      solve(givens, outcome);
      return outcome;
    }
    for (const DigitGrid& givens : job.puzzles) {
      if (queue.stopped()) break;
      window_.enter_puzzle(givens);
      solve(givens, outcome);
    }
    return outcome;
  }

 private:
  void solve(const DigitGrid& givens, Outcome& outcome) {
    if (options_.explain && !options_.steps) {
      // Nothing but the placements is printed: the Solve command's attempts
      // from the board Freeze left, its steps kept, as the window works them
      // out after a Solve (the same board makes the same placements), so
      // that each puzzle is solved once, not once more for its steps.
      Board board = window_.board();
      SolveSteps steps;
      run_attempts(board, &steps);
      append_explanation(steps, outcome.lines);
      return;
    }
    if (options_.steps) window_.set_save_to_file(true);
    platform_.messages.clear();
    const auto start = std::chrono::steady_clock::now();
    window_.CmdSolve_Click();
    const auto stop = std::chrono::steady_clock::now();
    if (outcome.step_log_error.empty()) outcome.step_log_error = window_.step_log_error();
    if (options_.explain) {
      append_explanation(window_.last_solve_steps(), outcome.lines);
      return;
    }
    const double ms = std::chrono::duration<double, std::milli>(stop - start).count();

    const View& view = window_.view();
    const Board& board = window_.board();
    char time[32];
    std::snprintf(time, sizeof time, "%.3f", ms);
    std::string& f = outcome.lines;
    if (!platform_.messages.empty()) f += platform_.messages.back();
    f += '\t' + puzzle_string(shown_digits(view)) + '\t' + view.Label1 + '\t' + view.Label4 + '\t' +
         std::to_string(board.pass_count) + '\t' + std::to_string(board.guess_count) + '\t' + time;
    if (options_.count) {
      static constexpr const char* kCounts[] = {"0", "1", "2+"};
      f += '\t';
      f += kCounts[std::clamp(count_solutions(givens), 0, 2)];
    }
    f += '\n';
  }

  // --explain: a line per placement, then the empty line that ends the puzzle.
  static void append_explanation(const SolveSteps& steps, std::string& lines) {
    const std::vector<Telling> told = tell_steps(steps);
    for (std::size_t i = 0; i < steps.placements.size(); ++i) {
      const Placement& p = steps.placements[i];
      const char fields[] = {'\t', static_cast<char>('0' + cell_column(p.index + 1)),
                             '\t', static_cast<char>('0' + cell_row(p.index + 1)),
                             '\t', static_cast<char>('0' + p.digit),
                             '\t'};
      lines.append(std::to_string(attempt_of(steps, i))).append(fields, sizeof fields);
      lines.append(reason_word(p.why.reason)).append(1, '\t').append(unit_name(p.why.unit)).append(1, '\t');
      append_step_sentence(lines, p, told[i]);
      lines += '\n';
    }
    lines += '\n';
  }

  const BatchOptions& options_;
  HeadlessPlatform platform_;
  Sudoku window_;
};

// --count-only: the count 0, 1 or 2+, and for 1 the solution row by row.
void append_count(const DigitGrid& puzzle, std::string& lines) {
  DigitGrid solution;
  const int count = count_solutions(puzzle, &solution);
  if (count != 1) {
    lines += count == 0 ? "0\n" : "2+\n";
    return;
  }
  char line[] = "1\t.................................................................................\n";
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col)
      line[2 + 9 * row + col] = static_cast<char>('0' + solution[grid_index(row, col)]);
  }
  lines.append(line, sizeof line - 1);
}

// The person's solver on a puzzle with one solution (checked first by the
// complete search): --rate's line, the rating, or --techniques' lines, one
// a step, then the empty line that ends the puzzle.
void append_rating(const DigitGrid& puzzle, bool techniques, logic::Workspace& work, std::string& lines) {
  const int count = count_solutions(puzzle);
  const char* end = techniques ? "\n\n" : "\n";
  if (count != 1) {
    lines.append(count == 0 ? "no solution" : "several solutions").append(end);
    return;
  }
  logic::Grid grid = logic::Grid::from_digits(puzzle);
  if (!techniques) {
    const logic::Rating r = logic::rate(grid, work);
    lines.append(logic::rating_text(r.er) + '\t' + logic::rating_text(r.ep) + '\t' +
                 logic::rating_text(r.ed) + '\t' + r.hardest + '\t' + std::to_string(r.steps) + '\n');
    return;
  }
  int number = 0;
  while (const auto step = logic::next_step(grid, work)) {
    lines.append(std::to_string(++number) + '\t' + logic::step_name(*step) + '\t' +
                 logic::rating_text(step->rating) + '\t' + placements_text(*step) + '\t' +
                 eliminations_text(*step) + '\t' + technique_sentence(*step, grid) + '\n');
    logic::apply(grid, *step);
  }
  lines += '\n';
}

// A job of the modes that run no Solve command: `append(puzzle, lines)`
// for each of its puzzles.
template <class Append>
Outcome puzzle_job(const Job& job, const Queue& queue, Append append) {
  Outcome outcome;
  if (!job.sud_file.empty()) {
    const FileResult<DigitGrid> file = read_sud_file(job.sud_file);
    if (!file) return refusal(job.sud_file + ": " + file.error().message + " Skipped.");
    append(file.value(), outcome.lines);
    return outcome;
  }
  outcome.lines.reserve(job.puzzles.size() * 85);
  for (const DigitGrid& puzzle : job.puzzles) {
    if (queue.stopped()) break;
    append(puzzle, outcome.lines);
  }
  return outcome;
}

// Queues the puzzles of the inputs in batches, and their refusals, in input
// order; a ".sud" file is a job of its own.
class InputQueuer : public PuzzleInputs::Sink {
 public:
  InputQueuer(Queue& queue, std::size_t batch_puzzles) : queue_(queue), batch_puzzles_(batch_puzzles) {}

  bool puzzle(const DigitGrid& givens, const std::string&, std::uint64_t) override {
    batch_.puzzles.push_back(givens);
    return batch_.puzzles.size() < batch_puzzles_ || send_batch();
  }
  bool sud_file(const std::string& path) override {
    return send_batch() && queue_.push_job({.puzzles = {}, .sud_file = path});
  }
  bool refused(const std::string& message) override {
    return send_batch() && queue_.push_result(refusal(message));
  }
  bool read_waits() override { return send_batch(); }

 private:
  bool send_batch() {
    if (batch_.puzzles.empty()) return true;
    const bool sent = queue_.push_job(std::move(batch_));
    batch_ = Job{};
    batch_.puzzles.reserve(batch_puzzles_);
    return sent;
  }

  Queue& queue_;
  std::size_t batch_puzzles_;
  Job batch_;
};

// Writes each line of `lines` after its number, counting on from `number`;
// with `blocks`, a puzzle's lines share its number, and an empty line ends
// them.
bool write_numbered(OutputFile& output, std::string_view lines, std::uint64_t& number, bool blocks) {
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n') + 1;
    if (blocks && end == 1) {
      ++number;
      lines.remove_prefix(1);
      continue;
    }
    char digits[24];
    const auto [last, ec] = std::to_chars(digits, digits + sizeof digits - 1, blocks ? number + 1 : ++number);
    *last = '\t';
    if (!output.write(std::string_view(digits, static_cast<std::size_t>(last - digits) + 1)) ||
        !output.write(lines.substr(0, end)))
      return false;
    lines.remove_prefix(end);
  }
  return true;
}

}  // namespace

bool is_sud_file_name(std::string_view name) {
  constexpr std::string_view kExtension = ".sud";
  if (name.size() < kExtension.size()) return false;
  const std::string_view end = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != kExtension[i]) return false;
  }
  return true;
}

int run_batch(const BatchOptions& options, int in, int out, int err) {
  // Each Solve with "Save to File" replaces the last one's log: one thread
  // keeps them in input order, so the log left is the last puzzle's.
  const int jobs = options.steps ? 1 : std::max(options.jobs, 1);
  const bool rating = options.rate || options.techniques;
  Queue queue(std::max<std::size_t>(8, 4 * static_cast<std::size_t>(jobs)));
  InputQueuer queuer(queue, options.steps ? 1 : rating ? kRatingBatchPuzzles : kBatchPuzzles);
  PuzzleInputs reader(queuer, in);
  std::vector<std::string> inputs = options.inputs;
  if (inputs.empty()) inputs.emplace_back("-");
  OrderedRun run(queue, "quorlen-solve", out, err);
  const bool started = run.start(
      jobs, "solving", [&] { reader.read(inputs, run.stop_fd()); },
      [&] {
        std::optional<PuzzleRunner> runner;    // a window, only where puzzles are solved
        std::optional<logic::Workspace> work;  // the person's solver's, only where puzzles are rated
        if (rating) {
          work.emplace();
        } else if (!options.count_only) {
          runner.emplace(options);
        }
        const auto rate = [&](const DigitGrid& puzzle, std::string& lines) {
          append_rating(puzzle, options.techniques, *work, lines);
        };
        while (auto job = queue.take_job()) {
          queue.finish(job->first, runner   ? runner->run(job->second, queue)
                                   : rating ? puzzle_job(job->second, queue, rate)
                                            : puzzle_job(job->second, queue, append_count));
        }
      });
  if (!started) return kOutputFailed;

  bool refused = false;
  bool lost = false;
  std::set<std::string> log_errors;
  std::uint64_t number = 0;
  const bool whole = run.write([&](OutputFile& output, const Outcome& outcome) {
    if (!write_numbered(output, outcome.lines, number, options.explain || options.techniques)) return false;
    if (!outcome.message.empty()) run.say(outcome.message);
    refused |= outcome.refused;
    if (const std::string& e = outcome.step_log_error; !e.empty()) {
      lost = true;
      if (log_errors.insert(e).second) run.say(e);
    }
    return true;
  });
  return !whole || lost ? kOutputFailed : refused ? kInputRefused : kAllWentThrough;
}

}  // namespace quorlen
