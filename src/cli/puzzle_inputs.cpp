#include "cli/puzzle_inputs.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <system_error>

#include "cli/batch.h"
#include "files/sud_file.h"

namespace quorlen {

bool PuzzleInputs::Sink::sud_file(const std::string& path) {
  const FileResult<DigitGrid> file = read_sud_file(path);
  if (!file) return refused(path + ": " + file.error().message + " Skipped.");
  return puzzle(file.value(), path, 0);
}

void PuzzleInputs::read(const std::vector<std::string>& inputs, int stop_fd) {
  stop_fd_ = stop_fd;
  for (const std::string& input : inputs) {
    if (stopped_) return;
    if (input == "-") {
      read_lines(in_, "<stdin>");
    } else if (is_sud_file_name(input)) {
      stopped_ = !sink_.sud_file(input);
    } else {
      read_file(input);
    }
  }
}

void PuzzleInputs::puzzle(const DigitGrid& givens) {
  stopped_ = stopped_ || !sink_.puzzle(givens, name_, scanner_->line());
}

void PuzzleInputs::refused(std::uint64_t line, const std::string& why) {
  stopped_ = stopped_ || !sink_.refused(name_ + ":" + std::to_string(line) + ": " + why);
}

void PuzzleInputs::read_file(const std::string& path) {
  // Non-blocking, so that opening a FIFO returns at once: the wait for a
  // writer is then a wait for input, which a stop ends.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info {};
  const int error = fd < 0 ? errno : ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
  if (error != 0) {
    stopped_ =
        !sink_.refused(path + ": cannot be opened: " + std::generic_category().message(error) + ", skipped");
  } else {
    read_lines(fd, path);
  }
  if (fd >= 0) ::close(fd);
}

void PuzzleInputs::read_lines(int fd, const std::string& name) {
  name_ = name;
  PuzzleScanner scanner(*this);
  scanner_ = &scanner;
  while (!stopped_) {
    pollfd ready[] = {{fd, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
    if (::poll(ready, 2, -1) < 0 && errno == EINTR) continue;
    if (ready[1].revents != 0) break;
    const ssize_t got = ::read(fd, buffer_.data(), buffer_.size());
    if (got > 0) {
      scanner.feed(std::string_view(buffer_.data(), static_cast<std::size_t>(got)));
      stopped_ =
          stopped_ || !sink_.read_waits();  // what is read is passed on, whether more comes soon or not
    } else if (got == 0) {
      scanner.finish();
      stopped_ = stopped_ || !sink_.read_waits();
      break;
    } else if (errno != EINTR && errno != EAGAIN) {
      const std::string reason = std::generic_category().message(errno);
      stopped_ = stopped_ || !sink_.read_waits();
      stopped_ = stopped_ || !sink_.refused(name + ": read error on line " + std::to_string(scanner.line()) +
                                            ": " + reason + ", rest skipped");
      break;
    }
  }
  scanner_ = nullptr;
}

}  // namespace quorlen
