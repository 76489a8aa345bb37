// A new file that takes the place of another only once it is whole: the
// content goes to a file in the same folder, which a rename puts in place,
// so that a failure, a crash or a second writer never leaves the file half
// written.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>

#include "files/file_descriptor.h"
#include "files/file_result.h"

namespace quorlen {

// Where the system allows it (Linux O_TMPFILE) the file has no name until it
// is put in place, so that a process killed while writing leaves nothing
// behind; otherwise it has a hidden name of its own, removed again unless it
// is put in place. Errors name the target, or the hidden name when no free
// one was found.
class NewFile {
 public:
  NewFile() = default;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile() { discard(); }

  // Creates the file that is to become `target`, in the target's folder,
  // with permission bits `mode` less the umask.
  FileResult<> create(const std::filesystem::path& target, mode_t mode);
  bool is_open() const { return static_cast<bool>(fd_); }
  int fd() const { return fd_.get(); }
  FileResult<> write(std::string_view bytes) { return write_all(fd_.get(), bytes, target_); }
  // Renames the file over the target, replacing whatever has that name (a
  // symbolic link itself, not what it points to). `durable`: the file and
  // the rename are flushed to disk first. On failure the file is discarded.
  FileResult<> put_in_place(bool durable);
  // Closes and removes an unfinished file.
  void discard();

 private:
  FileResult<> give_name();
  std::filesystem::path target_;
  std::filesystem::path dir_;
  std::filesystem::path name_;  // empty while the file has no name
  FileDescriptor fd_;
};

}  // namespace quorlen
