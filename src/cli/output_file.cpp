#include "cli/output_file.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "files/file_result.h"

namespace quorlen {
namespace {

// Large enough that a batch makes few system calls, small enough to stay
// out of the memory budget.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

bool OutputFile::write(std::string_view text) {
  if (!error_.empty()) return false;
  buffer_.append(text);
  return buffer_.size() < kBufferSize || flush();
}

bool OutputFile::flush() {
  const std::size_t whole = buffer_.rfind('\n') + 1;  // 0 when there is no line end
  std::string_view rest(buffer_.data(), whole);
  bool line_begun = false;
  while (error_.empty() && !rest.empty()) {
    if (stopping()) {
      // A stop signal interrupted the write: only the line begun still goes
      // out, so that the output ends whole.
      if (!line_begun) break;
      rest = rest.substr(0, rest.find('\n') + 1);
    }
    const ssize_t written = ::write(fd_, rest.data(), rest.size());
    if (written > 0) {
      line_begun = rest[static_cast<std::size_t>(written) - 1] != '\n';
      rest.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // A descriptor that another program left non-blocking: wait until it
      // takes more, looking at the stop request ten times a second.
      pollfd ready{fd_, POLLOUT, 0};
      ::poll(&ready, 1, 100);
    } else if (written == 0 || errno != EINTR) {
      error_ = name_ + ": " + system_reason(written == 0 ? EIO : errno);
    }
  }
  buffer_.erase(0, stopping() ? buffer_.size() : whole);
  return error_.empty();
}

}  // namespace quorlen
