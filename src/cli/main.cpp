// quorlen-solve [--steps] [--count | --count-only | --explain | --rate | --techniques] [-j N] [--dir DIR]
//               [--] [FILE ...]
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "cli/batch.h"
#include "cli/command_line.h"
#include "ui/folders.h"

namespace {

constexpr std::string_view kUsageLine =
    "usage: quorlen-solve [--steps] [--count | --count-only | --explain | --rate | --techniques] [-j N]\n"
    "                     [--dir DIR] [--] [FILE ...]\n";

constexpr std::string_view kHelp =
    "\n"
    "Solves each puzzle of each FILE (standard input when there is none, or\n"
    "for \"-\") as the window does: New, type the givens, Freeze, Solve.\n"
    "A puzzle line holds 81 cells row by row from the top-left cell: 1-9 for\n"
    "a given, 0 or . for an empty cell. CR, LF and CR LF end a line. After\n"
    "the 81st cell any other character separates: a further group of exactly\n"
    "81 cells is a further puzzle, other text (ratings, names) is skipped,\n"
    "and so is everything after a #. Blank lines and lines starting with #\n"
    "are skipped. A line that is not a puzzle, or a later group of 17 cells\n"
    "or more that is not one, is reported on standard error and skipped.\n"
    "A FILE whose name ends in .sud is one puzzle file, read by the Load\n"
    "command: New, Load, Freeze, Solve.\n"
    "\n"
    "Prints one line per puzzle, in input order, fields separated by tabs:\n"
    "number, message, grid (81 characters, . for empty), difficulty caption,\n"
    "\"Guessed?\", passes, guesses, time of the Solve command in milliseconds.\n"
    "\n"
    "  --steps       tick \"Save to File\": each Solve writes steps.txt, which\n"
    "                then holds the last puzzle's log; solves on one thread\n"
    "  --count       add a last field: the number of solutions of the givens,\n"
    "                0, 1 or 2+ (a complete search that stops at the second)\n"
    "  --count-only  no Solve command: print the number, the count 0, 1 or 2+\n"
    "                and, for exactly one solution, the solution (81 digits\n"
    "                row by row) of each puzzle\n"
    "  --explain     instead of a puzzle's line, a line per digit its Solve\n"
    "                placed, in the order of the step log: number, attempt,\n"
    "                column, row, digit, reason (cell, unit, guess or\n"
    "                search), unit (\"row 3\", \"column 5\", \"3x3 box 4\"; empty\n"
    "                for search) and a sentence that explains it\n"
    "  --rate        no Solve command: rate each puzzle as a person solves it,\n"
    "                on the scale setters quote (Sudoku Explainer's): number,\n"
    "                ER (the hardest step), EP (the hardest up to the first\n"
    "                placed digit), ED (the first step), the hardest step's\n"
    "                technique and the number of steps; \"no solution\" or\n"
    "                \"several solutions\" instead for a puzzle without one\n"
    "  --techniques  no Solve command: a line per step of that rating: number,\n"
    "                step (1..), technique, rating, what it places (r5c3=4),\n"
    "                what it strikes (r1c4<>5 r2c6<>57) and a sentence\n"
    "  -j, --jobs N  solve on N threads, 1 to 256 (default: the processors\n"
    "                this program may use); the output is the same but for\n"
    "                the times; where fewer threads can start, fewer do it\n"
    "  --dir DIR     the program's directory, where steps.txt goes (default:\n"
    "                the folder that holds this program or, for an installed\n"
    "                copy, $XDG_DATA_HOME/quorlen)\n"
    "  --            what follows is a FILE, even if it starts with -\n"
    "  -h, --help    show this text\n"
    "  --version     show the program's version\n"
    "\n"
    "SIGINT, SIGTERM and SIGHUP stop the reading; the output ends at a whole\n"
    "line and the program then dies by the signal.\n"
    "\n"
    "Exit status: 0 when every puzzle went through; 1 when some output could\n"
    "not be written (standard output, or a step log: standard error says\n"
    "which and why) or no thread could start, whatever else happened; 2 when\n"
    "an input line or file was refused, or for a wrong command line.\n";

constexpr quorlen::Program kProgram{"quorlen-solve", kUsageLine};

std::filesystem::path executable_directory(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  quorlen::prepare_standard_descriptors();
  quorlen::BatchOptions options;
  options.jobs = quorlen::usable_processors();
  bool dir_given = false;
  for (quorlen::Arguments args(argc, argv,
                               {"--help", "-h", "--version", "--steps", "--count", "--count-only",
                                "--explain", "--rate", "--techniques"},
                               {"--dir", "-j", "--jobs"});
       const auto arg = args.next();) {
    const std::string_view name = arg->name;
    if (!arg->error.empty()) return kProgram.usage_error(arg->error);
    if (arg->operand) {
      options.inputs.emplace_back(name);
    } else if (name == "--help" || name == "-h") {
      return kProgram.print(std::string(kUsageLine) + std::string(kHelp));
    } else if (name == "--version") {
      return kProgram.print("quorlen-solve " QUORLEN_VERSION "\n");
    } else if (name == "--steps") {
      options.steps = true;
    } else if (name == "--count") {
      options.count = true;
    } else if (name == "--count-only") {
      options.count_only = true;
    } else if (name == "--explain") {
      options.explain = true;
    } else if (name == "--rate") {
      options.rate = true;
    } else if (name == "--techniques") {
      options.techniques = true;
    } else if (name == "--dir") {
      if (arg->value.empty()) return kProgram.usage_error("--dir needs a directory, not an empty name");
      options.program_dir = arg->value;
      dir_given = true;
    } else if (name == "-j" || name == "--jobs") {
      if ((options.jobs = quorlen::job_count(arg->value)) == 0)
        return kProgram.usage_error(std::string(name) + " needs a number of threads from 1 to 256");
    }
  }
  if (options.count_only && options.steps)
    return kProgram.usage_error("--count-only runs no Solve, so takes no --steps");
  // The usage line offers these as alternatives.
  if (options.count && options.count_only)
    return kProgram.usage_error("--count and --count-only exclude each other");
  if (options.explain && (options.count || options.count_only)) {
    return kProgram.usage_error(std::string("--explain and ") + (options.count ? "--count" : "--count-only") +
                                " exclude each other");
  }
  if (const char* rating = options.techniques ? "--techniques" : options.rate ? "--rate" : nullptr) {
    const char* other = options.count                        ? "--count"
                        : options.count_only                 ? "--count-only"
                        : options.explain                    ? "--explain"
                        : options.rate && options.techniques ? "--rate"
                                                             : nullptr;
    if (other != nullptr)
      return kProgram.usage_error(std::string(rating) + " and " + other + " exclude each other");
    if (options.steps)
      return kProgram.usage_error(std::string(rating) + " runs no Solve, so takes no --steps");
  }
  if (!dir_given) {
    options.program_dir = executable_directory(argv[0]);
    // An installed copy does not write next to itself: its log goes to the
    // user's data folder instead.
    std::string error;
    if (options.steps) options.program_dir = quorlen::step_log_folder(options.program_dir, &error);
    if (!error.empty()) kProgram.complain(error, quorlen::kOutputFailed);  // each log then fails, and says so
  }
  try {
    return quorlen::run_batch(options, STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
  } catch (const std::exception& e) {
    return kProgram.complain(e.what(), quorlen::kOutputFailed);
  }
}
