// quorlen-solve [--steps] [--count | --count-only] [-j N] [--dir DIR] [--] [FILE ...]
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

#include "cli/batch.h"
#include "cli/output_file.h"
#include "ui/folders.h"

namespace {

constexpr std::string_view kUsageLine =
    "usage: quorlen-solve [--steps] [--count | --count-only] [-j N] [--dir DIR] [--] [FILE ...]\n";

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

// Writes "quorlen-solve: MESSAGE" to standard error, and the usage line
// after a wrong command line.
int complain(const std::string& message, int status) {
  quorlen::OutputFile err(STDERR_FILENO, "standard error");
  err.write(quorlen::escape_control("quorlen-solve: " + message) + "\n");
  if (status == quorlen::kInputRefused) err.write(kUsageLine);
  err.flush();
  return status;
}
int usage_error(const std::string& message) { return complain(message, quorlen::kInputRefused); }

std::filesystem::path executable_directory(const char* argv0) {
  std::error_code ec;
  auto exe = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}

// The processors this process may run on.
int usable_processors() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// The number of a -j option, 1 to 256; 0 when it is not one.
int job_count(std::string_view text) {
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || (value = value * 10 + (c - '0')) > 256) return 0;
  }
  return value;
}

// A standard descriptor that the caller closed is taken by /dev/null, open
// so that using it fails as using a closed one does (standard input for
// writing, the outputs for reading): otherwise the next file the program
// opens would get its number, and take the output, or be read as input.
void fill_closed_standard_descriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
      ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
  }
}

}  // namespace

int main(int argc, char** argv) {
  fill_closed_standard_descriptors();
  quorlen::BatchOptions options;
  options.jobs = usable_processors();
  bool dir_given = false;
  bool files_only = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (files_only || arg == "-" || !arg.starts_with('-')) {
      options.inputs.emplace_back(arg);
      continue;
    }
    // An option's value may follow it, or be joined: --dir=DIR, --jobs=N, -jN.
    std::string_view name = arg;
    std::optional<std::string_view> value;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
    } else if (arg.starts_with("-j") && arg.size() > 2) {
      name = "-j";
      value = arg.substr(2);
    }
    const bool takes_value = name == "--dir" || name == "-j" || name == "--jobs";
    if (value && !takes_value) return usage_error("option " + std::string(name) + " takes no value");
    if (takes_value && !value) {
      if (i + 1 >= argc) return usage_error(std::string(name) + " needs a value");
      value = argv[++i];
    }
    if (name == "--") {
      files_only = true;
    } else if (name == "--help" || name == "-h" || name == "--version") {
      quorlen::OutputFile out(STDOUT_FILENO, "standard output");
      const bool written = name == "--version" ? out.write("quorlen-solve " QUORLEN_VERSION "\n")
                                               : out.write(kUsageLine) && out.write(kHelp);
      if (written && out.flush()) return quorlen::kAllWentThrough;
      return complain(out.error(), quorlen::kOutputFailed);
    } else if (name == "--steps") {
      options.steps = true;
    } else if (name == "--count") {
      options.count = true;
    } else if (name == "--count-only") {
      options.count_only = true;
    } else if (name == "--dir") {
      if (value->empty()) return usage_error("--dir needs a directory, not an empty name");
      options.program_dir = *value;
      dir_given = true;
    } else if (takes_value) {
      if ((options.jobs = job_count(*value)) == 0)
        return usage_error(std::string(name) + " needs a number of threads from 1 to 256");
    } else {
      return usage_error("unknown option " + std::string(arg));
    }
  }
  if (options.count_only && options.steps)
    return usage_error("--count-only runs no Solve, so takes no --steps");
  if (!dir_given) {
    options.program_dir = executable_directory(argv[0]);
    // An installed copy does not write next to itself: its log goes to the
    // user's data folder instead.
    std::string error;
    if (options.steps) options.program_dir = quorlen::step_log_folder(options.program_dir, &error);
    if (!error.empty()) complain(error, quorlen::kOutputFailed);  // each log then fails, and says so
  }
  // A file size limit fails the write, which is then reported, rather than
  // ending the program with no word.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return quorlen::run_batch(options, STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
  } catch (const std::exception& e) {
    return complain(e.what(), quorlen::kOutputFailed);
  }
}
