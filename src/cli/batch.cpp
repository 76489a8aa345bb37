#include "cli/batch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <semaphore>
#include <set>
#include <system_error>
#include <thread>

#include "board/units.h"
#include "cli/ordered_queue.h"
#include "cli/output_file.h"
#include "cli/puzzle_scanner.h"
#include "cli/stop_signals.h"
#include "files/sud_file.h"
#include "solver/complete_search.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

// Puzzle lines go to the solving threads in batches: a lock and a wake-up
// for each puzzle would cost more than counting its solutions.
constexpr std::size_t kBatchPuzzles = 64;

struct Job {
  std::vector<DigitGrid> puzzles;
  std::string sud_file;  // when not empty, the one puzzle is this file's
};

// One item of the output, in input order: a batch's lines, or a refusal.
struct Outcome {
  std::string lines;           // each puzzle's output line without its number, each ended by '\n'
  std::string message;         // for standard error, escaped, without its line end; or empty
  bool refused = false;        // an input line or file that could not be used
  std::string step_log_error;  // "PATH: reason" when Solve could not write its log
};

using Queue = OrderedQueue<Job, Outcome>;

Outcome refusal(const std::string& what) {
  return {.lines = {},
          .message = escape_control("quorlen-solve: " + what),
          .refused = true,
          .step_log_error = {}};
}

// A window of its own, for one thread.
class PuzzleRunner {
 public:
  explicit PuzzleRunner(const BatchOptions& options)
      : options_(options), platform_(options.program_dir), window_(platform_) {}

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
      enter_puzzle(window_, givens);
      solve(givens, outcome);
    }
    return outcome;
  }

 private:
  void solve(const DigitGrid& givens, Outcome& outcome) {
    if (options_.steps) window_.view().Check2 = true;
    platform_.messages.clear();
    const auto start = std::chrono::steady_clock::now();
    window_.CmdSolve_Click();
    const auto stop = std::chrono::steady_clock::now();
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
    if (outcome.step_log_error.empty()) outcome.step_log_error = window_.step_log_error();
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

Outcome count_job(const Job& job, const Queue& queue) {
  Outcome outcome;
  if (!job.sud_file.empty()) {
    const FileResult<DigitGrid> file = read_sud_file(job.sud_file);
    if (!file) return refusal(job.sud_file + ": " + file.error().message + " Skipped.");
    append_count(file.value(), outcome.lines);
    return outcome;
  }
  outcome.lines.reserve(job.puzzles.size() * 85);
  for (const DigitGrid& puzzle : job.puzzles) {
    if (queue.stopped()) break;
    append_count(puzzle, outcome.lines);
  }
  return outcome;
}

// Reads every input in turn and queues its puzzles, in batches, and its
// refusals.
class InputReader : public PuzzleScanner::Sink {
 public:
  InputReader(Queue& queue, int in, std::size_t batch_puzzles)
      : queue_(queue), in_(in), batch_puzzles_(batch_puzzles) {
    // Non-blocking: a signal handler writes to it too.
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) wake_[0] = wake_[1] = -1;  // then reads wait for input
  }
  ~InputReader() override {
    for (const int fd : wake_) {
      if (fd >= 0) ::close(fd);
    }
  }
  InputReader(const InputReader&) = delete;
  InputReader& operator=(const InputReader&) = delete;

  // Where to write a byte that ends, for good, a wait for input that may
  // never come (a terminal, a quiet pipe, a FIFO no one opens).
  int wake_fd() const { return wake_[1]; }
  void interrupt() {
    const char byte = 0;
    // A byte that cannot be written is not needed: the pipe holds one.
    if (wake_[1] >= 0 && ::write(wake_[1], &byte, 1) != 1) return;
  }

  void read(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
      if (stopped_) return;
      if (input == "-") {
        read_lines(in_, "<stdin>");
      } else if (is_sud_file_name(input)) {
        stopped_ = !queue_.push_job({.puzzles = {}, .sud_file = input});
      } else {
        read_file(input);
      }
    }
  }

  void puzzle(const DigitGrid& givens) override {
    batch_.puzzles.push_back(givens);
    if (batch_.puzzles.size() >= batch_puzzles_) send_batch();
  }
  void refused(std::uint64_t line, const std::string& why) override {
    send_batch();
    stopped_ |= !queue_.push_result(refusal(name_ + ":" + std::to_string(line) + ": " + why));
  }

 private:
  void send_batch() {
    if (batch_.puzzles.empty() || stopped_) return;
    stopped_ = !queue_.push_job(std::move(batch_));
    batch_ = Job{};
    batch_.puzzles.reserve(batch_puzzles_);
  }

  void read_file(const std::string& path) {
    // Non-blocking, so that opening a FIFO returns at once: the wait for a
    // writer is then a wait for input, which a stop ends.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    const int error = fd < 0 ? errno : ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (error != 0) {
      stopped_ |= !queue_.push_result(
          refusal(path + ": cannot be opened: " + std::generic_category().message(error) + ", skipped"));
    } else {
      read_lines(fd, path);
    }
    if (fd >= 0) ::close(fd);
  }

  void read_lines(int fd, const std::string& name) {
    name_ = name;
    PuzzleScanner scanner(*this);
    while (!stopped_) {
      pollfd ready[] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (::poll(ready, 2, -1) < 0 && errno == EINTR) continue;
      if (ready[1].revents != 0) return;
      const ssize_t got = ::read(fd, buffer_.data(), buffer_.size());
      if (got > 0) {
        scanner.feed(std::string_view(buffer_.data(), static_cast<std::size_t>(got)));
        send_batch();  // what is read is solved, whether more comes soon or not
      } else if (got == 0) {
        scanner.finish();
        send_batch();
        return;
      } else if (errno != EINTR && errno != EAGAIN) {
        const std::string reason = std::generic_category().message(errno);
        send_batch();
        stopped_ |=
            !queue_.push_result(refusal(name + ": read error on line " + std::to_string(scanner.line()) +
                                        ": " + reason + ", rest skipped"));
        return;
      }
    }
  }

  Queue& queue_;
  int in_;
  std::size_t batch_puzzles_;
  Job batch_;
  std::string name_;
  bool stopped_ = false;
  int wake_[2];
  std::vector<char> buffer_ = std::vector<char>(64 * 1024);
};

// The first failure of a thread that is not the program's to report in
// any other way (memory exhausted).
class ThreadFailure {
 public:
  template <class Body>
  void guard(Queue& queue, Body body) {
    try {
      body();
    } catch (const std::bad_alloc&) {
      keep("out of memory", queue);
    } catch (const std::exception& e) {
      keep(e.what(), queue);
    }
  }
  std::string what() {
    std::lock_guard lock(mutex_);
    return what_;
  }

 private:
  void keep(const std::string& what, Queue& queue) {
    std::lock_guard lock(mutex_);
    if (what_.empty()) what_ = what;
    queue.stop();
  }
  std::mutex mutex_;
  std::string what_;
};

// Starts `body` on a new thread; the system's reason when it cannot.
template <class Body>
std::optional<std::string> start_thread(std::vector<std::jthread>& threads, Body body) {
  try {
    threads.emplace_back(std::move(body));
    return std::nullopt;
  } catch (const std::system_error& e) {
    return e.code().message();
  }
}

// Writes each line of `lines` after its number, counting on from `number`.
bool write_numbered(OutputFile& output, std::string_view lines, std::uint64_t& number) {
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n') + 1;
    char digits[24];
    const auto [last, ec] = std::to_chars(digits, digits + sizeof digits - 1, ++number);
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
  OutputFile errors(err, "standard error");
  const auto report = [&](const std::string& message) {
    errors.write(message + "\n");
    errors.flush();
  };
  // A standard output that is closed (or open for reading only) loses all:
  // no need to read a single puzzle to know that.
  if (const int flags = ::fcntl(out, F_GETFL); flags < 0 || (flags & O_ACCMODE) == O_RDONLY) {
    report("quorlen-solve: standard output: " + std::generic_category().message(EBADF));
    return kOutputFailed;
  }

  // Each Solve with "Save to File" replaces the last one's log: one thread
  // keeps them in input order, so the log left is the last puzzle's.
  const int jobs = options.steps ? 1 : std::max(options.jobs, 1);
  Queue queue(std::max<std::size_t>(8, 4 * static_cast<std::size_t>(jobs)));
  ThreadFailure failure;
  InputReader reader(queue, in, options.steps ? 1 : kBatchPuzzles);
  std::vector<std::string> inputs = options.inputs;
  if (inputs.empty()) inputs.emplace_back("-");
  StopSignals signals(reader.wake_fd());
  const std::atomic<int>& signal = StopSignals::received();
  // The reader waits for the solving threads to start, so that no thread
  // ends while others are started.
  std::binary_semaphore all_started(0);
  // Declared after all they use, and stopped before they are joined, so that
  // whatever way this returns no thread is left waiting.
  std::vector<std::jthread> threads;
  threads.reserve(static_cast<std::size_t>(jobs) + 1);
  struct StopOnReturn {
    Queue& queue;
    InputReader& reader;
    void operator()() const {
      queue.stop();
      reader.interrupt();
    }
    ~StopOnReturn() { (*this)(); }
  } stop{queue, reader};

  // The reader first, then as many solving threads as the system lets start,
  // up to `jobs`: fewer do the same work, only slower.
  int started = 0;
  std::optional<std::string> why;
  {
    const StopSignals::BlockedWhileStarting blocked;
    struct ReleaseOnExit {
      std::binary_semaphore& go;
      ~ReleaseOnExit() { go.release(); }
    } release{all_started};
    why = start_thread(threads, [&] {
      all_started.acquire();
      failure.guard(queue, [&] { reader.read(inputs); });
      queue.close();
    });
    while (!why && started < jobs) {
      why = start_thread(threads, [&] {
        failure.guard(queue, [&] {
          std::optional<PuzzleRunner> runner;  // a window, only where puzzles are solved
          if (!options.count_only) runner.emplace(options);
          while (auto job = queue.take_job()) {
            queue.finish(job->first,
                         runner ? runner->run(job->second, queue) : count_job(job->second, queue));
          }
        });
      });
      started += why ? 0 : 1;
    }
  }
  if (started == 0) {
    report("quorlen-solve: cannot start a thread: " + *why);
    return kOutputFailed;
  }
  if (started < jobs) {
    report("quorlen-solve: " + std::to_string(started) + " of " + std::to_string(jobs) +
           " solving threads could start (" + *why + "); solving on those");
  }

  OutputFile output(out, "standard output", &signal);
  bool refused = false;
  bool lost = false;
  std::set<std::string> log_errors;
  std::uint64_t number = 0;
  // Output is flushed whenever the next result is not ready yet, so a slow
  // input or a slow puzzle never holds back what is done.
  while (auto outcome = queue.next_result(
             [&] {
               if (!output.flush()) queue.stop();
             },
             [&] { return signal != 0; })) {
    if (!output.error().empty() || signal != 0) break;
    if (!write_numbered(output, outcome->lines, number)) break;
    if (!outcome->message.empty()) report(outcome->message);
    refused |= outcome->refused;
    if (const std::string& e = outcome->step_log_error; !e.empty()) {
      lost = true;
      if (log_errors.insert(e).second) report(escape_control("quorlen-solve: " + e));
    }
  }
  const bool output_failed = !output.flush();
  if (output_failed) {
    report("quorlen-solve: " + output.error());
    lost = true;
  }
  stop();
  threads.clear();  // joins them
  if (const std::string what = failure.what(); !what.empty()) {
    report("quorlen-solve: " + what);
    lost = true;
  }
  // Output cut short by a failed write is the failure to report; otherwise
  // the signal ends the program as it would have without a handler.
  if (const int received = signal; received != 0 && !output_failed) StopSignals::die_by(received);
  return lost ? kOutputFailed : refused ? kInputRefused : kAllWentThrough;
}

}  // namespace quorlen
