// The step log "steps.txt": one quoted record per digit the solver placed,
// in the order of placement.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorlen {

// Appends the record of a digit placed at grid index `index` (0..80):
// `" Column c row r  :Valued"`, quotes included, then CR LF.
void append_step_record(std::string& out, int index, int digit);

// The file of one Solve's log, from the command's start to its end.
class StepLogFile {
 public:
  StepLogFile() = default;
  StepLogFile(const StepLogFile&) = delete;
  StepLogFile& operator=(const StepLogFile&) = delete;
  ~StepLogFile() { close(); }

  // Creates `dir`/steps.txt, or empties it. False when that fails.
  bool open(const std::filesystem::path& dir);

  // Writes the whole log and closes the file; false when any of it failed.
  bool commit(std::string_view records);

  // The file and why the last open or commit failed: "PATH: reason".
  const std::string& error() const { return error_; }

 private:
  void close();
  bool fail(int error);
  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
  std::string error_;
};

}  // namespace quorlen
