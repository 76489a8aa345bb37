#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <set>
#include <system_error>

#include "cli/output_file.h"
#include "cli/puzzle_scanner.h"
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
      return solve();
    }
    // New, Load the file through the dialog, Freeze, Solve.
    window_.cmdNew_Click();
    platform_.messages.clear();
    platform_.requests.clear();
    platform_.answer_next_dialog(job.sud_file);
    window_.cmdLoad_Click();
    if (!platform_.messages.empty())
      return refusal(job.sud_file + ": " + platform_.messages.back() + " Skipped.");
    window_.cmdFreeze_Click();
    return solve();
  }

 private:
  Outcome solve() {
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
    outcome.step_log_error = window_.step_log_error();
    return outcome;
  }

  const BatchOptions& options_;
  HeadlessPlatform platform_;
  Sudoku window_;
};

// Writes each outcome in turn: the puzzle's line to the standard output,
// messages to the standard error; and keeps what the exit status says.
class Writer {
 public:
  Writer(int out, int err) : output_(out, "standard output"), errors_(err, "standard error") {}

  // False once the standard output has failed: what follows would be lost.
  bool write(const Outcome& outcome) {
    if (!outcome.fields.empty() && !output_.write(std::to_string(++number_) + '\t' + outcome.fields + '\n'))
      return false;
    if (!outcome.message.empty()) report(outcome.message);
    refused_ |= outcome.refused;
    if (const std::string& e = outcome.step_log_error; !e.empty()) {
      lost_ = true;
      if (log_errors_.insert(e).second) report(escape_control("quorlen-solve: " + e));
    }
    return true;
  }

  int finish() {
    if (!output_.flush()) {
      report("quorlen-solve: " + output_.error());
      lost_ = true;
    }
    return lost_ ? kOutputFailed : refused_ ? kInputRefused : kAllWentThrough;
  }

 private:
  void report(const std::string& message) {
    errors_.write(message + "\n");
    errors_.flush();
  }

  OutputFile output_;
  OutputFile errors_;
  bool refused_ = false;
  bool lost_ = false;
  std::set<std::string> log_errors_;
  std::uint64_t number_ = 0;
};

// Reads every input in turn, solves its puzzles and writes what comes of
// each, until the standard output fails.
class InputReader : public PuzzleScanner::Sink {
 public:
  InputReader(PuzzleRunner& runner, Writer& writer, int in) : runner_(runner), writer_(writer), in_(in) {}

  void read(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
      if (stopped_) return;
      if (input == "-") {
        read_lines(in_, "<stdin>");
      } else if (is_sud_file_name(input)) {
        stopped_ = !writer_.write(runner_.run({.givens = {}, .sud_file = input}));
      } else {
        read_file(input);
      }
    }
  }

  void puzzle(const DigitGrid& givens) override {
    stopped_ |= !writer_.write(runner_.run({.givens = givens, .sud_file = {}}));
  }
  void refused(std::uint64_t line, const std::string& why) override {
    stopped_ |= !writer_.write(refusal(name_ + ":" + std::to_string(line) + ": " + why));
  }

 private:
  void read_file(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    const int error = fd < 0 ? errno : ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (error != 0) {
      stopped_ |= !writer_.write(
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
      const ssize_t got = ::read(fd, buffer_.data(), buffer_.size());
      if (got > 0) {
        scanner.feed(std::string_view(buffer_.data(), static_cast<std::size_t>(got)));
      } else if (got == 0) {
        scanner.finish();
        return;
      } else if (errno != EINTR) {
        const std::string reason = std::generic_category().message(errno);
        stopped_ |= !writer_.write(refusal(name + ": read error on line " + std::to_string(scanner.line()) +
                                           ": " + reason + ", rest skipped"));
        return;
      }
    }
  }

  PuzzleRunner& runner_;
  Writer& writer_;
  int in_;
  std::string name_;
  bool stopped_ = false;
  std::vector<char> buffer_ = std::vector<char>(64 * 1024);
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
  PuzzleRunner runner(options);
  Writer writer(out, err);
  std::vector<std::string> inputs = options.inputs;
  if (inputs.empty()) inputs.emplace_back("-");
  InputReader(runner, writer, in).read(inputs);
  return writer.finish();
}

}  // namespace quorlen
