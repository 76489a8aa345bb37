// The step log "steps.txt": one quoted record per digit the solver placed,
// in the order of placement.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "files/file_result.h"
#include "files/new_file.h"

namespace quorlen {

// Appends the record of a digit placed at grid index `index` (0..80): the
// text `" Column C row R  :ValueD"`, quotes included, then CR LF.
void append_step_record(std::string& out, int index, int digit);

// The file of one Solve's log, from the command's start to its end. The log
// is written to a new file that replaces steps.txt only when it is whole, so
// a failed or killed Solve leaves the earlier log as it was, and of two
// programs logging into one folder the last to finish wins whole. Messages
// read "PATH: reason".
class StepLogFile {
 public:
  // Creates the new file in `dir`. Fails when `dir` holds a folder named
  // steps.txt, which no log could replace.
  FileResult<> open(const std::filesystem::path& dir);

  // Writes the whole log and puts it in place as steps.txt. On failure no
  // new file remains.
  FileResult<> commit(std::string_view records);

 private:
  NewFile file_;
};

}  // namespace quorlen
