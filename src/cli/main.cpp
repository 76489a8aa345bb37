// quorlen-solve [--steps] [--dir DIR] [FILE ...]
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "cli/batch.h"

namespace {

constexpr const char* kUsage =
    "usage: quorlen-solve [--steps] [--dir DIR] [FILE ...]\n"
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
    "Prints one line per puzzle, fields separated by tabs: number, message,\n"
    "grid (81 characters, . for empty), difficulty caption, \"Guessed?\",\n"
    "passes, guesses, time of the Solve command in milliseconds.\n"
    "\n"
    "  --steps     tick \"Save to File\": each Solve writes steps.txt\n"
    "  --dir DIR   the program's directory, where steps.txt goes\n"
    "              (default: the folder that holds this program)\n"
    "  --help      show this text\n"
    "\n"
    "Exit status: 2 when a line or file could not be used, else 0.\n";

std::filesystem::path executable_directory(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
  quorlen::BatchOptions options;
  bool dir_given = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--steps") {
      options.steps = true;
    } else if (arg == "--dir") {
      if (i + 1 >= argc) {
        std::cerr << "quorlen-solve: --dir needs a directory\n" << kUsage;
        return 2;
      }
      options.program_dir = argv[++i];
      dir_given = true;
    } else if (arg.size() > 1 && arg.front() == '-' && arg != "-") {
      std::cerr << "quorlen-solve: unknown option " << arg << "\n" << kUsage;
      return 2;
    } else {
      options.inputs.emplace_back(arg);
    }
  }
  if (!dir_given) options.program_dir = executable_directory(argv[0]);
  std::ios::sync_with_stdio(false);
  return quorlen::run_batch(options, STDIN_FILENO, std::cout, std::cerr);
}
