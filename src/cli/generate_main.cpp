// quorlen-generate [--level LEVEL] [--rating MIN-MAX] [--technique NAME] [--minimal] [--symmetric]
//                  [--seed S] [-j N] [N]
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
    "usage: quorlen-generate [--level LEVEL] [--rating MIN-MAX] [--technique NAME] [--minimal]\n"
    "                        [--symmetric] [--seed S] [-j N] [N]\n";

constexpr std::string_view kHelp =
    "\n"
    "Writes N new puzzles (default 1), one a line, each with exactly one\n"
    "solution. A line holds the puzzle, 81 cells row by row from the top-left\n"
    "cell (1-9 for a given, . for an empty cell), then, separated by tabs:\n"
    "the level the Solve command gives it (Easy, Medium, Difficult or Very\n"
    "Difficult), its difficulty, the number of givens, and the reduction\n"
    "passes and guesses of that Solve; with --rating or --technique, last, the\n"
    "rating of the person's solver (ER, as quorlen-solve --rate gives it). The\n"
    "lines can be fed to quorlen-solve.\n"
    "\n"
    "  --level LEVEL  easy, medium, difficult or very-difficult (default: any;\n"
    "                 without --minimal each puzzle's level is drawn at\n"
    "                 random). Without --minimal a puzzle keeps the givens\n"
    "                 whose removal would make it harder than LEVEL\n"
    "  --rating MIN-MAX  only puzzles whose rating (ER) lies from MIN to MAX,\n"
    "                 both included, such as 7.0-7.9 (or one rating, 4.2).\n"
    "                 Without --minimal a puzzle keeps the givens whose\n"
    "                 removal would rate it above MAX\n"
    "  --technique NAME  only puzzles whose hardest step is of the technique\n"
    "                 NAME, as quorlen-solve --techniques names them (\"X-Wing\",\n"
    "                 \"xy-wing\": letter case, blanks and hyphens do not\n"
    "                 matter). Without --minimal a puzzle keeps the givens\n"
    "                 whose removal would call for a later technique\n"
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

// Every name --technique takes, in the order the person's solver tries
// them, but those that are never a puzzle's hardest step.
std::string technique_names() {
  std::string names;
  for (int i = 0; i < quorlen::logic::kTechniqueCount; ++i) {
    const auto technique = static_cast<quorlen::logic::Technique>(i);
    if (!quorlen::can_be_hardest(technique)) continue;
    names += (names.empty() ? "" : ", ") + std::string(quorlen::logic::technique_name(technique));
  }
  return names;
}

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
                               {"--level", "--rating", "--technique", "--seed", "-j", "--jobs"});
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
    } else if (name == "--rating") {
      if (!(options.request.rating = quorlen::rating_band(arg->value)))
        return kProgram.usage_error(
            "--rating needs MIN-MAX, ratings from 0.0 to 20.0 with one decimal at most "
            "and MIN not above MAX (such as 7.0-7.9), not " +
            std::string(arg->value));
    } else if (name == "--technique") {
      quorlen::logic::Technique technique{};
      if (!quorlen::logic::technique_by_name(arg->value, technique))
        return kProgram.usage_error("--technique needs the name of a technique, not " +
                                    std::string(arg->value) + "; the names: " + technique_names());
      if (!quorlen::can_be_hardest(technique))
        return kProgram.usage_error(std::string("no puzzle has ") +
                                    quorlen::logic::technique_name(technique) +
                                    " as its hardest step: the person's solver never takes such a step");
      options.request.technique = technique;
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
