// quorlen-solve: solves puzzles in batch through the window's own handlers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

struct BatchOptions {
  bool steps = false;                 // tick "Save to File" before each Solve
  bool count = false;                 // add the number of solutions of the givens
  int jobs = 1;                       // solving threads; --steps solves on one
  std::filesystem::path program_dir;  // where steps.txt goes
  std::vector<std::string> inputs;    // files; "-" is standard input
};

// Exit statuses of a batch. When some output was lost and some input was
// refused too, the lost output is what the status says.
inline constexpr int kAllWentThrough = 0;
inline constexpr int kOutputFailed = 1;
inline constexpr int kInputRefused = 2;

// Whether `name` is a ".sud" puzzle file (in any letter case).
bool is_sud_file_name(std::string_view name);

// Runs the whole batch: `in` serves "-", results go to `out`, refusals and
// failures to `err`. Returns the exit status.
int run_batch(const BatchOptions& options, int in, int out, int err);

}  // namespace quorlen
