// The standard output and standard error of quorlen-solve and
// quorlen-generate: every write checked. Text that came from files or the
// command line goes through escape_control (files/escape_control.h) first.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "files/escape_control.h"

namespace quorlen {

// A file descriptor written through a buffer, a whole line at a time. The
// first failed write is kept and ends all writing: what follows it could not
// be trusted to arrive.
class OutputFile {
 public:
  // `name` names the file in the error, e.g. "standard output". Once `stop`
  // (if given) is not 0, the output ends at the end of the line being
  // written, and nothing more is written.
  OutputFile(int fd, std::string name, const std::atomic<int>* stop = nullptr)
      : fd_(fd), name_(std::move(name)), stop_(stop) {}

  // Adds `text`, and writes the whole lines buffered once there are 64 KiB.
  // False once any write has failed.
  bool write(std::string_view text);
  // Writes every whole line buffered.
  bool flush();
  // "NAME: reason" of the failed write, or empty.
  const std::string& error() const { return error_; }

 private:
  bool stopping() const { return stop_ != nullptr && stop_->load() != 0; }

  int fd_;
  std::string name_;
  const std::atomic<int>* stop_;
  std::string buffer_;
  std::string error_;
};

}  // namespace quorlen
