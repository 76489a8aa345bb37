// quorlen-solve: solves puzzles in batch through the window's own handlers.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/platform.h"

namespace quorlen {

struct BatchOptions {
  bool steps = false;                     // tick "Save to File" before each Solve
  std::filesystem::path program_dir;      // where steps.txt goes
  std::vector<std::string> inputs;        // files; "-" is standard input
};

// The 81 cell texts of a puzzle line, by grid index ("" for an empty cell),
// or nothing when the line is not a puzzle. Row-major input; the grid runs
// down the columns.
std::optional<std::vector<std::string>> parse_puzzle_line(std::string_view line);

// A platform without a screen: message boxes are recorded; a dialog answers
// with the path set by answer_next_dialog, once, and fails otherwise.
class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::filesystem::path program_dir) : program_dir_(std::move(program_dir)) {}
  void message_box(const std::string& text) override { messages_.push_back(text); }
  FileDialogResult file_dialog(const FileDialogRequest& request) override;
  std::filesystem::path program_directory() const override { return program_dir_; }

  std::vector<std::string>& messages() { return messages_; }
  void answer_next_dialog(std::filesystem::path path) { next_answer_ = std::move(path); }

 private:
  std::filesystem::path program_dir_;
  std::vector<std::string> messages_;
  std::optional<std::filesystem::path> next_answer_;
};

// Whether `name` is a ".sud" puzzle file (in any letter case).
bool is_sud_file_name(std::string_view name);

// Runs the whole batch; `in` serves "-". Returns the exit status: 2 when
// any input line or file could not be used, 0 otherwise.
int run_batch(const BatchOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorlen
