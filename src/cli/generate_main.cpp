// quorlen-generate [--level LEVEL] [--minimal] [--symmetric] [--seed S] [-j N] [N]
#include <sched.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "cli/batch.h"
#include "cli/generate_batch.h"
#include "cli/output_file.h"

namespace {

constexpr std::string_view kUsageLine =
    "usage: quorlen-generate [--level LEVEL] [--minimal] [--symmetric] [--seed S] [-j N] [N]\n";

constexpr std::string_view kHelp =
    "\n"
    "Writes N new puzzles (default 1), one a line, each with exactly one\n"
    "solution. A line holds the puzzle, 81 cells row by row from the top-left\n"
    "cell (1-9 for a given, . for an empty cell), then, separated by tabs:\n"
    "the level the Solve command gives it (Easy, Medium, Difficult or Very\n"
    "Difficult), its difficulty, the number of givens, and the reduction\n"
    "passes and guesses of that Solve. The lines can be fed to quorlen-solve.\n"
    "\n"
    "  --level LEVEL  easy, medium, difficult or very-difficult (default: any;\n"
    "                 without --minimal each puzzle's level is drawn at\n"
    "                 random). Without --minimal a puzzle keeps the givens\n"
    "                 whose removal would make it harder than LEVEL\n"
    "  --minimal      no given can be removed without a second solution\n"
    "                 (with --symmetric: no given with its partner)\n"
    "  --symmetric    the givens are symmetric under a half turn\n"
    "  --seed S       a number from 0 to 18446744073709551615; the same seed\n"
    "                 and options give the same puzzles on any machine\n"
    "                 (default: from the clock, written to standard error)\n"
    "  -j, --jobs N   generate on N threads, 1 to 256 (default: the\n"
    "                 processors this program may use); the output is the\n"
    "                 same whatever N\n"
    "  --            what follows is N, even if it starts with -\n"
    "  --help         show this text\n"
    "  --version      show the version\n"
    "\n"
    "Exit status: 0 when every puzzle was written; 1 when the output could\n"
    "not be written (standard error says why); 2 for a wrong command line.\n";

int complain(const std::string& message, int status) {
  quorlen::OutputFile err(STDERR_FILENO, "standard error");
  err.write(quorlen::escape_control("quorlen-generate: " + message) + "\n");
  if (status == quorlen::kInputRefused) err.write(kUsageLine);
  err.flush();
  return status;
}
int usage_error(const std::string& message) { return complain(message, quorlen::kInputRefused); }

int print(std::string_view text) {
  quorlen::OutputFile out(STDOUT_FILENO, "standard output");
  if (out.write(text) && out.flush()) return quorlen::kAllWentThrough;
  return complain(out.error(), quorlen::kOutputFailed);
}

// A decimal number of at most `max`; nothing for any other text.
std::optional<std::uint64_t> number(std::string_view text, std::uint64_t max) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<unsigned>(c - '0');
    if (digit > 9 || value > (max - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

// The processors this process may run on.
int usable_processors() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

std::uint64_t seed_from_clock() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

int main(int argc, char** argv) {
  quorlen::GenerateOptions options;
  options.jobs = usable_processors();
  std::optional<std::uint64_t> seed;
  bool count_given = false;
  bool operands_only = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (operands_only || !arg.starts_with('-') || arg == "-") {
      const auto count = number(arg, UINT64_MAX);
      if (count_given || !count)
        return usage_error("N must be one number of puzzles, not " + std::string(arg));
      options.count = *count;
      count_given = true;
      continue;
    }
    // An option's value may follow it, or be joined: --level=LEVEL, -jN.
    std::string_view name = arg;
    std::optional<std::string_view> value;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    } else if (arg.starts_with("-j") && arg.size() > 2) {
      name = "-j";
      value = arg.substr(2);
    }
    const bool takes_value = name == "--level" || name == "--seed" || name == "-j" || name == "--jobs";
    if (value && !takes_value) return usage_error("option " + std::string(name) + " takes no value");
    if (takes_value && !value) {
      if (i + 1 >= argc) return usage_error(std::string(name) + " needs a value");
      value = argv[++i];
    }
    if (name == "--") {
      operands_only = true;
    } else if (name == "--help" || name == "-h") {
      return print(std::string(kUsageLine) + std::string(kHelp));
    } else if (name == "--version") {
      return print("quorlen-generate " QUORLEN_VERSION "\n");
    } else if (name == "--minimal") {
      options.request.minimal = true;
    } else if (name == "--symmetric") {
      options.request.symmetric = true;
    } else if (name == "--level") {
      if (!(options.request.level = quorlen::level_from_option(*value)))
        return usage_error("--level needs easy, medium, difficult or very-difficult, not " +
                           std::string(*value));
    } else if (name == "--seed") {
      if (!(seed = number(*value, UINT64_MAX)))
        return usage_error("--seed needs a number from 0 to 18446744073709551615, not " +
                           std::string(*value));
    } else if (takes_value) {
      const auto jobs = number(*value, 256);
      if (!jobs || *jobs == 0)
        return usage_error(std::string(name) + " needs a number of threads from 1 to 256");
      options.jobs = static_cast<int>(*jobs);
    } else {
      return usage_error("unknown option " + std::string(arg));
    }
  }
  if (!seed) {
    seed = seed_from_clock();
    // Said before any puzzle, so that even a run cut short can be repeated.
    complain("seed " + std::to_string(*seed), quorlen::kAllWentThrough);
  }
  options.seed = *seed;
  // A file size limit fails the write, which is then reported, rather than
  // ending the program with no word.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return quorlen::run_generate(options, STDOUT_FILENO, STDERR_FILENO);
  } catch (const std::exception& e) {
    return complain(e.what(), quorlen::kOutputFailed);
  }
}
