// quorlen-solve's standard output and standard error: every write checked,
// and text that came from files or the command line shown without raw
// control bytes.
#pragma once

#include <string>
#include <string_view>

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

// `text` with every byte outside printable ASCII written as \xNN (a tab as
// \t), as the ".sud" reader shows a bad line, so that names and contents
// cannot drive the terminal.
std::string escape_control(std::string_view text);

}  // namespace quorlen
