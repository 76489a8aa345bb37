#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <system_error>

#include "cli/puzzle_scanner.h"
#include "ui/headless_platform.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

class PuzzleRunner {
 public:
  PuzzleRunner(const BatchOptions& options, std::ostream& out)
      : options_(options), out_(out), platform_(options.program_dir), window_(platform_) {}

  // New, type each given, Freeze, Solve; then one tab-separated line.
  void solve(const DigitGrid& givens) {
    enter_puzzle(window_, givens);
    solve_frozen();
  }

  // New, Load the file through the dialog, Freeze, Solve. Returns the
  // message of a Load that failed, or nothing.
  std::optional<std::string> solve_file(const std::filesystem::path& path) {
    window_.cmdNew_Click();
    platform_.messages.clear();
    platform_.requests.clear();
    platform_.answer_next_dialog(path);
    window_.cmdLoad_Click();
    if (!platform_.messages.empty()) return platform_.messages.back();
    window_.cmdFreeze_Click();
    solve_frozen();
    return std::nullopt;
  }

 private:
  void solve_frozen() {
    if (options_.steps) window_.view().Check2 = true;

    platform_.messages.clear();
    const auto start = std::chrono::steady_clock::now();
    window_.CmdSolve_Click();
    const auto stop = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(stop - start).count();

    const View& view = window_.view();
    const std::string grid = puzzle_string(shown_digits(view));
    const std::string message = platform_.messages.empty() ? std::string() : platform_.messages.back();
    char time[32];
    std::snprintf(time, sizeof time, "%.3f", ms);
    out_ << ++count_ << '\t' << message << '\t' << grid << '\t' << view.Label1 << '\t' << view.Label4 << '\t'
         << window_.board().pass_count << '\t' << window_.board().guess_count << '\t' << time << '\n';
  }

  const BatchOptions& options_;
  std::ostream& out_;
  HeadlessPlatform platform_;
  Sudoku window_;
  long count_ = 0;
};

// Reads the puzzle lines of one input: solves its puzzles, reports what is
// not one.
class LineReader : public PuzzleScanner::Sink {
 public:
  LineReader(std::string name, PuzzleRunner& runner, std::ostream& err)
      : name_(std::move(name)), runner_(runner), err_(err) {}

  // Returns false when some line was not a puzzle.
  bool read(int fd) {
    PuzzleScanner scanner(*this);
    std::vector<char> buffer(64 * 1024);
    for (;;) {
      const ssize_t got = ::read(fd, buffer.data(), buffer.size());
      if (got > 0) {
        scanner.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
      } else if (got == 0) {
        scanner.finish();
        return all_good_;
      } else if (errno != EINTR) {
        err_ << "quorlen-solve: " << name_ << ": read error on line " << scanner.line() << ": "
             << std::generic_category().message(errno) << ", rest skipped\n";
        return false;
      }
    }
  }

  void puzzle(const DigitGrid& givens) override { runner_.solve(givens); }
  void refused(std::uint64_t line, const std::string& why) override {
    err_ << "quorlen-solve: " << name_ << ":" << line << ": " << why << "\n";
    all_good_ = false;
  }

 private:
  std::string name_;
  PuzzleRunner& runner_;
  std::ostream& err_;
  bool all_good_ = true;
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

int run_batch(const BatchOptions& options, int in, std::ostream& out, std::ostream& err) {
  PuzzleRunner runner(options, out);
  bool all_good = true;
  std::vector<std::string> inputs = options.inputs;
  if (inputs.empty()) inputs.emplace_back("-");
  for (const std::string& input : inputs) {
    if (input == "-") {
      all_good &= LineReader("<stdin>", runner, err).read(in);
      continue;
    }
    if (is_sud_file_name(input)) {
      if (const auto error = runner.solve_file(input)) {
        err << "quorlen-solve: " << input << ": " << *error << " Skipped.\n";
        all_good = false;
      }
      continue;
    }
    const int fd = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    const int error = fd < 0 ? errno : ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (error != 0) {
      err << "quorlen-solve: " << input << ": cannot be opened: " << std::generic_category().message(error)
          << ", skipped\n";
      all_good = false;
    } else {
      all_good &= LineReader(input, runner, err).read(fd);
    }
    if (fd >= 0) ::close(fd);
  }
  return all_good ? 0 : 2;
}

}  // namespace quorlen
