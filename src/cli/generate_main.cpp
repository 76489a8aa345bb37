// quorlen-generate [--level LEVEL] [--minimal] [--symmetric] [--seed S] [-j N] [N]
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/generate_batch.h"

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
    "                 same whatever N; where fewer threads can start, fewer\n"
    "                 do it\n"
    "  --            what follows is N, even if it starts with -\n"
    "  -h, --help     show this text\n"
    "  --version      show the version\n"
    "\n"
    "SIGINT, SIGTERM and SIGHUP stop the work; the output ends at a whole\n"
    "line and the program then dies by the signal.\n"
    "\n"
    "Exit status: 0 when every puzzle was written; 1 when the output could\n"
    "not be written (standard error says why) or no thread could start; 2\n"
    "for a wrong command line.\n";

constexpr quorlen::Program kProgram{"quorlen-generate", kUsageLine};

std::uint64_t seed_from_clock() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

int main(int argc, char** argv) {
  quorlen::prepare_standard_descriptors();
  quorlen::GenerateOptions options;
  options.jobs = quorlen::usable_processors();
  std::optional<std::uint64_t> seed;
  bool count_given = false;
  for (quorlen::Arguments args(argc, argv, {"--help", "-h", "--version", "--minimal", "--symmetric"},
                               {"--level", "--seed", "-j", "--jobs"});
       const auto arg = args.next();) {
    const std::string_view name = arg->name;
    if (!arg->error.empty()) return kProgram.usage_error(arg->error);
    if (arg->operand) {
      const auto count = quorlen::bounded_number(name, UINT64_MAX);
      if (count_given || !count)
        return kProgram.usage_error("N must be one number of puzzles, not " + std::string(name));
      options.count = *count;
      count_given = true;
    } else if (name == "--help" || name == "-h") {
      return kProgram.print(std::string(kUsageLine) + std::string(kHelp));
    } else if (name == "--version") {
      return kProgram.print("quorlen-generate " QUORLEN_VERSION "\n");
    } else if (name == "--minimal") {
      options.request.minimal = true;
    } else if (name == "--symmetric") {
      options.request.symmetric = true;
    } else if (name == "--level") {
      if (!(options.request.level = quorlen::level_from_option(arg->value)))
        return kProgram.usage_error("--level needs easy, medium, difficult or very-difficult, not " +
                                    std::string(arg->value));
    } else if (name == "--seed") {
      if (!(seed = quorlen::bounded_number(arg->value, UINT64_MAX)))
        return kProgram.usage_error("--seed needs a number from 0 to 18446744073709551615, not " +
                                    std::string(arg->value));
    } else if (name == "-j" || name == "--jobs") {
      if ((options.jobs = quorlen::job_count(arg->value)) == 0)
        return kProgram.usage_error(std::string(name) + " needs a number of threads from 1 to 256");
    }
  }
  if (!seed) {
    seed = seed_from_clock();
    // Said before any puzzle, so that even a run cut short can be repeated.
    kProgram.complain("seed " + std::to_string(*seed), quorlen::kAllWentThrough);
  }
  options.seed = *seed;
  try {
    return quorlen::run_generate(options, STDOUT_FILENO, STDERR_FILENO);
  } catch (const std::exception& e) {
    return kProgram.complain(e.what(), quorlen::kOutputFailed);
  }
}
