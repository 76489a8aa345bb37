// quorlen-solve: solves puzzles in batch through the window's own handlers.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

struct BatchOptions {
  bool steps = false;                 // tick "Save to File" before each Solve
  std::filesystem::path program_dir;  // where steps.txt goes
  std::vector<std::string> inputs;    // files; "-" is standard input
};

// Whether `name` is a ".sud" puzzle file (in any letter case).
bool is_sud_file_name(std::string_view name);

// Runs the whole batch; `in` serves "-". Returns the exit status: 2 when
// any input line or file could not be used, 0 otherwise.
int run_batch(const BatchOptions& options, int in, std::ostream& out, std::ostream& err);

}  // namespace quorlen
