#include "files/safe_write.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

namespace quorlen {
namespace {

namespace fs = std::filesystem;

// A hidden name in `dir` for a file being written; unique within the folder
// together with O_EXCL or linkat, which refuse a name that exists.
fs::path temporary_name(const fs::path& dir) {
  // Atomic: quorlen-solve runs a window logic on each of several threads.
  static std::atomic<unsigned> counter = 0;
  return dir / (".quorlen-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

// Whether the open file belongs to a file system through which the kernel
// shows and takes its settings: writing a puzzle there could change the
// system.
bool kernel_interface(int fd) {
#ifdef __linux__
  struct statfs system {};
  if (::fstatfs(fd, &system) != 0) return true;
  switch (system.f_type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case EFIVARFS_MAGIC:
      return true;
    default:
      return false;
  }
#else
  (void)fd;
  return false;
#endif
}

int read_all_at(int fd, std::string& bytes) {
  for (std::size_t got = 0; got < bytes.size();) {
    const ssize_t now = ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (now < 0 && errno != EINTR) return errno;
    if (now == 0) bytes.resize(got);  // the file shrank meanwhile
    if (now > 0) got += static_cast<std::size_t>(now);
  }
  return 0;
}

// From the start of the file: 0 or the error.
int write_from_start(int fd, std::string_view bytes) {
  return ::lseek(fd, 0, SEEK_SET) == 0 ? write_all(fd, bytes) : errno;
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

int write_in_place(const fs::path& path, const struct stat& expected, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!fd || ::fstat(fd.get(), &info) != 0) return errno;
  // Another file may have taken the name since it was examined.
  if (info.st_dev != expected.st_dev || info.st_ino != expected.st_ino || !S_ISREG(info.st_mode))
    return EAGAIN;
  if (kernel_interface(fd.get())) return EPERM;

  // What the new bytes overwrite, to write back after a failure: putting it
  // back needs no more room on the disk than it took.
  const auto size = static_cast<std::size_t>(info.st_size);
  std::string before(std::min(size, bytes.size()), '\0');
  if (const int error = read_all_at(fd.get(), before)) return error;
  int error = write_from_start(fd.get(), bytes);
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  if (error == 0 && size > bytes.size()) {
    // Cut only once the new content is safely written.
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0) error = errno;
  }
  if (error != 0) {
    write_from_start(fd.get(), before);
    if (::ftruncate(fd.get(), static_cast<off_t>(size)) == 0) ::fsync(fd.get());
    return error;
  }
  return fd.close();
}

}  // namespace quorlen
