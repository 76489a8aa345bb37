// quorlen-solve's standard output and standard error: every write checked.
// Text that came from files or the command line goes through escape_control
// (files/escape_control.h) first.
#pragma once

#include <string>
#include <string_view>

#include "files/escape_control.h"

namespace quorlen {

// A file descriptor written through a buffer. The first failed write is kept
// and ends all writing: what follows it could not be trusted to arrive.
class OutputFile {
 public:
  // `name` names the file in the error, e.g. "standard output".
  OutputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}

  // False once any write has failed.
  bool write(std::string_view text);
  bool flush();
  // "NAME: reason" of the failed write, or empty.
  const std::string& error() const { return error_; }

 private:
  int fd_;
  std::string name_;
  std::string buffer_;
  std::string error_;
};

}  // namespace quorlen
