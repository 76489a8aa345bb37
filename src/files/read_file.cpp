#include "files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "files/file_descriptor.h"

namespace quorlen {

FileResult<std::string> read_whole_file(const std::filesystem::path& path, std::size_t limit) {
  const auto failed = [&](std::string_view action, int code) {
    return action_error(action, path, code, system_reason(code));
  };
  // Non-blocking, so that opening a named pipe cannot hang the window.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) return failed("Cannot open", errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return failed("Cannot read", errno);
  if (S_ISDIR(info.st_mode)) return failed("Cannot read", EISDIR);
  if (!S_ISREG(info.st_mode)) return action_error("Cannot read", path, 0, "not a regular file");
  if (static_cast<std::uintmax_t>(info.st_size) > limit) return failed("Cannot read", EFBIG);

  // The file may have grown since fstat: read one byte past the limit to see.
  std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t size = 0;
  for (;;) {
    if (size == bytes.size()) {
      if (size > limit) return failed("Cannot read", EFBIG);
      bytes.resize(std::min(limit + 1, 2 * size));
    }
    const ssize_t got = ::read(fd.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return failed("Cannot read", errno);
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  if (size > limit) return failed("Cannot read", EFBIG);
  bytes.resize(size);
  return bytes;
}

}  // namespace quorlen
