#include "files/write_in_place.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "files/file_descriptor.h"

#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

namespace quorlen {
namespace {

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

// 0 or the errno value.
int read_all_at(int fd, std::string& bytes) {
  for (std::size_t got = 0; got < bytes.size();) {
    const ssize_t now = ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (now < 0 && errno != EINTR) return errno;
    if (now == 0) bytes.resize(got);  // the file shrank meanwhile
    if (now > 0) got += static_cast<std::size_t>(now);
  }
  return 0;
}

FileResult<> write_from_start(int fd, std::string_view bytes, const std::filesystem::path& path) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return os_error(path, errno);
  return write_all(fd, bytes, path);
}

}  // namespace

FileResult<> write_in_place(const std::filesystem::path& path, const struct stat& expected,
                            std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat info {};
  if (!fd || ::fstat(fd.get(), &info) != 0) return os_error(path, errno);
  // Another file may have taken the name since it was examined.
  if (info.st_dev != expected.st_dev || info.st_ino != expected.st_ino || !S_ISREG(info.st_mode))
    return os_error(path, EAGAIN);
  if (kernel_interface(fd.get())) return os_error(path, EPERM);

  // What the new bytes overwrite, to write back after a failure: putting it
  // back needs no more room on the disk than it took.
  const auto size = static_cast<std::size_t>(info.st_size);
  std::string before(std::min(size, bytes.size()), '\0');
  if (const int error = read_all_at(fd.get(), before)) return os_error(path, error);
  FileResult<> result = write_from_start(fd.get(), bytes, path);
  if (result && ::fsync(fd.get()) != 0) result = os_error(path, errno);
  if (result && size > bytes.size()) {
    // Cut only once the new content is safely written.
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0)
      result = os_error(path, errno);
  }
  if (!result) {
    // Best effort: the failure reported is the first one.
    (void)write_from_start(fd.get(), before, path);
    if (::ftruncate(fd.get(), static_cast<off_t>(size)) == 0) ::fsync(fd.get());
    return result;
  }
  return fd.close(path);
}

}  // namespace quorlen
