#include "files/safe_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace quorlen {
namespace {

namespace fs = std::filesystem;

// A hidden name in `dir` for a file being written; unique within the folder
// together with O_EXCL or linkat, which refuse a name that exists.
fs::path temporary_name(const fs::path& dir) {
  static unsigned counter = 0;
  return dir / (".quorlen-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

}  // namespace

void FileDescriptor::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

int FileDescriptor::close() {
  const int result = ::close(std::exchange(fd_, -1));
  return result == 0 ? 0 : errno;
}

int write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

int NewFile::create(const fs::path& dir, mode_t mode) {
  discard();
  dir_ = dir;
#ifdef O_TMPFILE
  // Such a file is named later through /proc/self/fd, so without /proc it
  // could never be put in place.
  if (::access("/proc/self/fd", X_OK) == 0) {
    fd_.reset(::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (fd_) return 0;
    // A file system without O_TMPFILE takes a named file; any other failure
    // shows again there.
  }
#endif
  for (int tries = 0; tries < 100; ++tries) {
    fs::path candidate = temporary_name(dir);
    const int opened = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (opened >= 0) {
      fd_.reset(opened);
      name_ = std::move(candidate);
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int NewFile::give_name() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
  for (int tries = 0; tries < 100; ++tries) {
    fs::path candidate = temporary_name(dir_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      name_ = std::move(candidate);
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// A rename cannot take an unnamed file, so it gets a hidden name first: a
// kill between that and the rename is the one moment that leaves a file.
int NewFile::put_in_place(const fs::path& target, bool durable) {
  int error = durable && ::fsync(fd_.get()) != 0 ? errno : 0;
  if (error == 0 && name_.empty()) error = give_name();
  if (error == 0) error = fd_.close();
  if (error == 0 && ::rename(name_.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    discard();
    return error;
  }
  name_.clear();
  if (durable) {
    // The file is complete under its name already; a failure to flush the
    // folder changes nothing the user could act on.
    FileDescriptor folder(::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) ::fsync(folder.get());
  }
  return 0;
}

void NewFile::discard() {
  fd_.reset(-1);
  if (!name_.empty()) ::unlink(name_.c_str());
  name_.clear();
}

}  // namespace quorlen
