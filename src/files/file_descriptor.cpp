#include "files/file_descriptor.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace quorlen {

void FileDescriptor::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

FileResult<> FileDescriptor::close(const std::filesystem::path& path) {
  if (::close(std::exchange(fd_, -1)) != 0) return os_error(path, errno);
  return {};
}

FileResult<> write_all(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return os_error(path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

}  // namespace quorlen
