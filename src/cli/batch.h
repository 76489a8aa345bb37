// quorlen-solve: solves puzzles in batch through the window's own handlers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"

namespace quorlen {

struct BatchOptions {
  bool steps = false;                 // tick "Save to File" before each Solve
  bool count = false;                 // add the number of solutions of the givens
  bool count_only = false;            // no Solve: each puzzle's count, and its one solution
  bool explain = false;               // each Solve's placements, one a line, with their reasons
  bool rate = false;                  // no Solve: the person's solver's rating of each puzzle
  bool techniques = false;            // no Solve: each step of the person's solver, one a line
  int jobs = 1;                       // solving threads; --steps solves on one
  std::filesystem::path program_dir;  // where steps.txt goes
  std::vector<std::string> inputs;    // files; "-" is standard input
};

// Whether `name` is a ".sud" puzzle file (in any letter case).
bool is_sud_file_name(std::string_view name);

// Runs the whole batch: `in` serves "-", results go to `out`, refusals and
// failures to `err`. Returns the exit status (command_line.h); after SIGINT, SIGTERM or
// SIGHUP (unless ignored when it starts), it ends `out` at a whole line and
// then dies by that signal, or returns kOutputFailed if that write failed.
// The first such signal asks for this; a second ends the program at once.
int run_batch(const BatchOptions& options, int in, int out, int err);

}  // namespace quorlen
