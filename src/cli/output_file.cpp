#include "cli/output_file.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

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
  std::string_view rest = buffer_;
  while (error_.empty() && !rest.empty()) {
    const ssize_t written = ::write(fd_, rest.data(), rest.size());
    if (written > 0) {
      rest.remove_prefix(static_cast<std::size_t>(written));
    } else if (written == 0 || errno != EINTR) {
      error_ = name_ + ": " + std::generic_category().message(written == 0 ? EIO : errno);
    }
  }
  buffer_.clear();
  return error_.empty();
}

}  // namespace quorlen
