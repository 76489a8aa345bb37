#include "files/new_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

namespace quorlen {
namespace {

namespace fs = std::filesystem;

constexpr int kNameTries = 100;

// A hidden name in `dir` for a file being written; unique within the folder
// together with O_EXCL or linkat, which refuse a name that exists.
fs::path temporary_name(const fs::path& dir) {
  // Atomic, so that files made on several threads at once never share a name.
  static std::atomic<unsigned> counter = 0;
  return dir / (".quorlen-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

// Every name tried was taken: the message names the last, which is what
// failed, rather than the target, which is not to blame.
FileError no_free_name(const fs::path& last_tried) {
  FileError error = os_error(last_tried, EEXIST);
  error.message += " (no temporary name is free)";
  return error;
}

}  // namespace

FileResult<> NewFile::create(const fs::path& target, mode_t mode) {
  discard();
  target_ = target;
  dir_ = target.has_parent_path() ? target.parent_path() : ".";
#ifdef O_TMPFILE
  // Such a file is named later through /proc/self/fd, so without /proc it
  // could never be put in place.
  if (::access("/proc/self/fd", X_OK) == 0) {
    fd_.reset(::open(dir_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (fd_) return {};
    // A file system without O_TMPFILE takes a named file; any other failure
    // shows again there.
  }
#endif
  fs::path candidate;
  for (int tries = 0; tries < kNameTries; ++tries) {
    candidate = temporary_name(dir_);
    const int opened = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (opened >= 0) {
      fd_.reset(opened);
      name_ = std::move(candidate);
      return {};
    }
    if (errno != EEXIST) return os_error(target_, errno);
  }
  return no_free_name(candidate);
}

FileResult<> NewFile::give_name() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
  fs::path candidate;
  for (int tries = 0; tries < kNameTries; ++tries) {
    candidate = temporary_name(dir_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      name_ = std::move(candidate);
      return {};
    }
    if (errno != EEXIST) return os_error(target_, errno);
  }
  return no_free_name(candidate);
}

// A rename cannot take an unnamed file, so it gets a hidden name first: a
// kill between that and the rename is the one moment that leaves a file.
FileResult<> NewFile::put_in_place(bool durable) {
  FileResult<> result = durable && ::fsync(fd_.get()) != 0 ? os_error(target_, errno) : FileResult<>();
  if (result && name_.empty()) result = give_name();
  if (result) result = fd_.close(target_);
  if (result && ::rename(name_.c_str(), target_.c_str()) != 0) result = os_error(target_, errno);
  if (!result) {
    discard();
    return result;
  }
  name_.clear();
  if (durable) {
    // The file is complete under its name already; a failure to flush the
    // folder changes nothing the user could act on.
    FileDescriptor folder(::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) ::fsync(folder.get());
  }
  return {};
}

void NewFile::discard() {
  fd_.reset(-1);
  if (!name_.empty()) ::unlink(name_.c_str());
  name_.clear();
}

}  // namespace quorlen
