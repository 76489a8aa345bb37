#include "cli/batch.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>

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

bool is_blank(std::string_view line) { return line.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// Returns false when some line was not a puzzle.
bool solve_stream(std::istream& in, const std::string& name, PuzzleRunner& runner, std::ostream& err) {
  bool all_good = true;
  std::string line;
  long number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (is_blank(line) || line.front() == '#') continue;
    const auto cells = parse_puzzle_line(line);
    if (!cells) {
      err << "quorlen-solve: " << name << ":" << number
          << ": not a puzzle (81 characters 1-9, 0 or . expected), skipped\n";
      all_good = false;
      continue;
    }
    runner.solve(*cells);
  }
  if (in.bad()) {
    err << "quorlen-solve: " << name << ": read error after line " << number << "\n";
    all_good = false;
  }
  return all_good;
}

}  // namespace

std::optional<DigitGrid> parse_puzzle_line(std::string_view line) {
  if (line.size() < 81) return std::nullopt;
  return parse_puzzle(line.substr(0, 81));
}

bool is_sud_file_name(std::string_view name) {
  constexpr std::string_view kExtension = ".sud";
  if (name.size() < kExtension.size()) return false;
  const std::string_view end = name.substr(name.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != kExtension[i]) return false;
  }
  return true;
}

int run_batch(const BatchOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
  PuzzleRunner runner(options, out);
  bool all_good = true;
  std::vector<std::string> inputs = options.inputs;
  if (inputs.empty()) inputs.emplace_back("-");
  for (const std::string& input : inputs) {
    if (input == "-") {
      all_good &= solve_stream(in, "<stdin>", runner, err);
      continue;
    }
    if (is_sud_file_name(input)) {
      if (const auto error = runner.solve_file(input)) {
        err << "quorlen-solve: " << input << ": " << *error << " Skipped.\n";
        all_good = false;
      }
      continue;
    }
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(input, ec)) file.open(input, std::ios::binary);
    if (!file.is_open()) {
      err << "quorlen-solve: " << input << ": cannot be opened, skipped\n";
      all_good = false;
      continue;
    }
    all_good &= solve_stream(file, input, runner, err);
  }
  return all_good ? 0 : 2;
}

}  // namespace quorlen
