// The step log "steps.txt": one quoted record per digit the solver places.
#pragma once

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace quorlen {

// Raised when a record cannot be written; the Solve command turns it into
// its "Unable to write to the file." message.
class StepLogError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class StepLog {
 public:
  StepLog() = default;
  StepLog(const StepLog&) = delete;
  StepLog& operator=(const StepLog&) = delete;
  ~StepLog() { close(); }

  // Creates the file, or empties it if it exists. False when that fails.
  bool open(const std::filesystem::path& path);
  bool is_open() const { return file_ != nullptr; }

  // Writes `"text"` followed by CR LF. Throws StepLogError on failure.
  void write_record(std::string_view text);

  // Pushes buffered records to the file; false if any write failed.
  bool flush();

  // Closes the file; closing a log that is not open does nothing.
  void close();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace quorlen
