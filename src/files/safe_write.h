// Writing a file so that a failure, a crash or a second writer never leaves
// it half written: the content goes to a new file in the same folder, which
// a rename puts in place whole. Where that would change the file for its
// users, the file itself is written, and put back if a write fails.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <string_view>

namespace quorlen {

// Owns a file descriptor; closes it on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { reset(-1); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void reset(int fd);
  // Closes now; 0 or the error close reports (a delayed write error on some
  // file systems).
  int close();

 private:
  int fd_;
};

// Writes all of `bytes` at the file offset; 0 or the error.
int write_all(int fd, std::string_view bytes);

// A file being written in a folder. Where the system allows it (Linux
// O_TMPFILE) it has no name until it is put in place, so that a process
// killed while writing leaves nothing behind; otherwise it has a hidden name
// of its own, removed again unless it is put in place. All results are 0 or
// an errno value.
class NewFile {
 public:
  NewFile() = default;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile() { discard(); }

  // Creates the file in `dir` with permission bits `mode`, less the umask.
  int create(const std::filesystem::path& dir, mode_t mode);
  bool is_open() const { return static_cast<bool>(fd_); }
  int fd() const { return fd_.get(); }
  int write(std::string_view bytes) { return write_all(fd_.get(), bytes); }
  // Puts the file in place as `target`, in the same folder, by a rename that
  // replaces whatever has that name (a symbolic link itself, not what it
  // points to). `durable`: the file and the rename are flushed to disk first.
  int put_in_place(const std::filesystem::path& target, bool durable);
  // Closes and removes an unfinished file.
  void discard();

 private:
  int give_name();
  std::filesystem::path dir_;
  std::filesystem::path name_;  // empty while the file has no name
  FileDescriptor fd_;
};

// Overwrites the regular file at `path`, which `expected` describes (as stat
// gave it), with `bytes`, keeping the file itself: its other links, owner,
// permissions and extended attributes. For when a new file put in place
// would lose them, or cannot be made. A failed write puts back what was
// there; a kill halfway can leave a mix. Files of the kernel's own file
// systems (/proc, /sys and the like) are refused. 0 or an errno value.
int write_in_place(const std::filesystem::path& path, const struct stat& expected, std::string_view bytes);

}  // namespace quorlen
