// quorlen-solve [--steps] [--dir DIR] [FILE ...]
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "cli/batch.h"
#include "ui/folders.h"

namespace {

constexpr const char* kUsage =
    "usage: quorlen-solve [--steps] [--dir DIR] [FILE ...]\n"
    "\n"
    "Solves each puzzle of each FILE (standard input when there is none, or\n"
    "for \"-\") as the window does: New, type the givens, Freeze, Solve.\n"
    "A puzzle line holds 81 characters row by row from the top-left cell:\n"
    "1-9 for a given, 0 or . for an empty cell. Blank lines and lines\n"
    "starting with # are skipped.\n"
    "A FILE whose name ends in .sud is one puzzle file, read by the Load\n"
    "command: New, Load, Freeze, Solve.\n"
    "\n"
    "Prints one line per puzzle, fields separated by tabs: number, message,\n"
    "grid (81 characters, . for empty), difficulty caption, \"Guessed?\",\n"
    "passes, guesses, time of the Solve command in milliseconds.\n"
    "\n"
    "  --steps     tick \"Save to File\": each Solve writes steps.txt\n"
    "  --dir DIR   the program's directory, where steps.txt goes\n"
    "              (default: the folder that holds this program or, for an\n"
    "              installed copy, $XDG_DATA_HOME/quorlen)\n"
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
  if (!dir_given) {
    options.program_dir = executable_directory(argv[0]);
    // An installed copy does not write next to itself: its log goes to the
    // user's data folder instead.
    if (options.steps) options.program_dir = quorlen::step_log_folder(options.program_dir);
  }
  std::ios::sync_with_stdio(false);
  return quorlen::run_batch(options, std::cin, std::cout, std::cerr);
}
