#include "cli/batch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <set>
#include <system_error>
#include <thread>

#include "cli/ordered_queue.h"
#include "cli/output_file.h"
#include "cli/puzzle_scanner.h"
#include "solver/complete_search.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

struct Job {
  DigitGrid givens{};
  std::string sud_file;  // when not empty, the puzzle is this file's, not `givens`
};

// One item of the output, in input order.
struct Outcome {
  std::string fields;          // the puzzle's line after its number; empty when none was solved
  std::string message;         // for standard error, escaped, without its line end; or empty
  bool refused = false;        // an input line or file that could not be used
  std::string step_log_error;  // "PATH: reason" when Solve could not write its log
};

using Queue = OrderedQueue<Job, Outcome>;

Outcome refusal(const std::string& what) {
  return {.fields = {},
          .message = escape_control("quorlen-solve: " + what),
          .refused = true,
          .step_log_error = {}};
}

// A window of its own, for one thread.
class PuzzleRunner {
 public:
  explicit PuzzleRunner(const BatchOptions& options)
      : options_(options), platform_(options.program_dir), window_(platform_) {}

  Outcome run(const Job& job) {
    if (job.sud_file.empty()) {
      enter_puzzle(window_, job.givens);
      return solve(job.givens);
    }
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
    return solve(givens);
  }

 private:
  Outcome solve(const DigitGrid& givens) {
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
    Outcome outcome;
    std::string& f = outcome.fields;
    f = platform_.messages.empty() ? std::string() : platform_.messages.back();
    f += '\t' + puzzle_string(shown_digits(view)) + '\t' + view.Label1 + '\t' + view.Label4 + '\t' +
         std::to_string(board.pass_count) + '\t' + std::to_string(board.guess_count) + '\t' + time;
    if (options_.count) {
      static constexpr const char* kCounts[] = {"0", "1", "2+"};
      f += '\t';
      f += kCounts[std::clamp(count_solutions(givens), 0, 2)];
    }
    outcome.step_log_error = window_.step_log_error();
    return outcome;
  }

  const BatchOptions& options_;
  HeadlessPlatform platform_;
  Sudoku window_;
};

// Reads every input in turn and queues its puzzles and refusals.
class InputReader : public PuzzleScanner::Sink {
 public:
  InputReader(Queue& queue, int in) : queue_(queue), in_(in) {
    if (::pipe2(wake_, O_CLOEXEC) != 0) wake_[0] = wake_[1] = -1;  // then reads wait for their input
  }
  ~InputReader() override {
    for (const int fd : wake_) {
      if (fd >= 0) ::close(fd);
    }
  }
  InputReader(const InputReader&) = delete;
  InputReader& operator=(const InputReader&) = delete;

  // Ends, for good, a read that waits for input that may never come (a
  // terminal, a quiet pipe), so that a failed run ends at once.
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
        stopped_ = !queue_.push_job({.givens = {}, .sud_file = input});
      } else {
        read_file(input);
      }
    }
  }

  void puzzle(const DigitGrid& givens) override {
    stopped_ |= !queue_.push_job({.givens = givens, .sud_file = {}});
  }
  void refused(std::uint64_t line, const std::string& why) override {
    stopped_ |= !queue_.push_result(refusal(name_ + ":" + std::to_string(line) + ": " + why));
  }

 private:
  void read_file(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
      } else if (got == 0) {
        scanner.finish();
        return;
      } else if (errno != EINTR) {
        const std::string reason = std::generic_category().message(errno);
        stopped_ |=
            !queue_.push_result(refusal(name + ": read error on line " + std::to_string(scanner.line()) +
                                        ": " + reason + ", rest skipped"));
        return;
      }
    }
  }

  Queue& queue_;
  int in_;
  std::string name_;
  bool stopped_ = false;
  int wake_[2];
  std::vector<char> buffer_ = std::vector<char>(64 * 1024);
};

// The first failure of a thread that is not the program's to report in
// any other way (memory exhausted, a thread that cannot start).
class ThreadFailure {
 public:
  template <class Body>
  void guard(Queue& queue, Body body) {
    try {
      body();
    } catch (const std::exception& e) {
      std::lock_guard lock(mutex_);
      if (what_.empty()) what_ = e.what();
      queue.stop();
    }
  }
  std::string what() {
    std::lock_guard lock(mutex_);
    return what_;
  }

 private:
  std::mutex mutex_;
  std::string what_;
};

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
  Queue queue(std::max<std::size_t>(64, 16 * static_cast<std::size_t>(jobs)));
  ThreadFailure failure;
  InputReader reader(queue, in);
  std::vector<std::string> inputs = options.inputs;
  if (inputs.empty()) inputs.emplace_back("-");
  // Declared after all they use, and stopped before they are joined, so that
  // whatever way this returns no thread is left waiting.
  std::vector<std::jthread> threads;
  struct StopOnReturn {
    Queue& queue;
    InputReader& reader;
    void operator()() const {
      queue.stop();
      reader.interrupt();
    }
    ~StopOnReturn() { (*this)(); }
  } stop{queue, reader};
  failure.guard(queue, [&] {
    for (int i = 0; i < jobs; ++i) {
      threads.emplace_back([&] {
        failure.guard(queue, [&] {
          PuzzleRunner runner(options);
          while (auto job = queue.take_job()) queue.finish(job->first, runner.run(job->second));
        });
      });
    }
    threads.emplace_back([&] {
      failure.guard(queue, [&] { reader.read(inputs); });
      queue.close();
    });
  });

  OutputFile output(out, "standard output");
  OutputFile errors(err, "standard error");
  const auto report = [&](const std::string& message) {
    errors.write(message + "\n");
    errors.flush();
  };
  bool refused = false;
  bool lost = false;
  std::set<std::string> log_errors;
  std::uint64_t number = 0;
  // Output is flushed whenever the next result is not ready yet, so a slow
  // input or a slow puzzle never holds back what is done.
  while (auto outcome = queue.next_result([&] {
    if (!output.flush()) queue.stop();
  })) {
    if (!output.error().empty()) break;
    if (!outcome->fields.empty() && !output.write(std::to_string(++number) + '\t' + outcome->fields + '\n'))
      break;
    if (!outcome->message.empty()) report(outcome->message);
    refused |= outcome->refused;
    if (const std::string& e = outcome->step_log_error; !e.empty()) {
      lost = true;
      if (log_errors.insert(e).second) report(escape_control("quorlen-solve: " + e));
    }
  }
  if (!output.flush()) {
    report("quorlen-solve: " + output.error());
    lost = true;
  }
  stop();
  threads.clear();  // joins them
  if (const std::string what = failure.what(); !what.empty()) {
    report("quorlen-solve: " + what);
    lost = true;
  }
  return lost ? kOutputFailed : refused ? kInputRefused : kAllWentThrough;
}

}  // namespace quorlen
