// An open file descriptor that is closed on every path out of a function.
#pragma once

#include <filesystem>
#include <string_view>

#include "files/file_result.h"

namespace quorlen {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { reset(-1); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void reset(int fd);
  // Closes now, reporting what close reports (some file systems give a
  // delayed write error only here); `path` names the file in the error.
  FileResult<> close(const std::filesystem::path& path);

 private:
  int fd_;
};

// Writes all of `bytes` at the file offset; `path` names the file in the error.
FileResult<> write_all(int fd, std::string_view bytes, const std::filesystem::path& path);

}  // namespace quorlen
