// The step log "steps.txt": one quoted record per digit the solver placed,
// in the order of placement.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "files/safe_write.h"

namespace quorlen {

// Appends the record of a digit placed at grid index `index` (0..80):
// `" Column c row r  :Valued"`, quotes included, then CR LF.
void append_step_record(std::string& out, int index, int digit);

// The file of one Solve's log, from the command's start to its end. The log
// is written to a new file that replaces steps.txt only when it is whole, so
// a failed or killed Solve leaves the earlier log as it was, and of two
// programs logging into one folder the last to finish wins whole.
class StepLogFile {
 public:
  // Creates the new file in `dir`; false when that fails, or when `dir`
  // holds a folder named steps.txt, which no log could replace.
  bool open(const std::filesystem::path& dir);

  // Writes the whole log and puts it in place as steps.txt; false when any
  // of it failed, and then no new file remains.
  bool commit(std::string_view records);

  // The file and why the last open or commit failed: "PATH: reason".
  const std::string& error() const { return error_; }

 private:
  bool fail(int error);
  NewFile file_;
  std::filesystem::path path_;
  std::string error_;
};

}  // namespace quorlen
