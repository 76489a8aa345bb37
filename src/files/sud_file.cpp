#include "files/sud_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/escape_control.h"
#include "files/file_descriptor.h"

namespace quorlen {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kCells = 81;

FileError refusal(const std::filesystem::path& path, std::string message) {
  return {.path = path, .code = 0, .message = std::move(message)};
}

// `what "path": reason.`, for a failure of the operating system.
FileError io_error(std::string_view what, const std::filesystem::path& path, int code) {
  return action_error(what, path, code, system_reason(code));
}

// A bad line as a message box can show it: at most a few dozen characters,
// control and non-ASCII bytes written as \xNN.
std::string printable(std::string_view line) {
  constexpr std::size_t kShown = 24;
  return escape_control(line.substr(0, kShown)) + (line.size() > kShown ? "..." : "");
}

// The value 0..9 of a line: decimal digits with blanks or tabs around them,
// leading zeros allowed. -1 for anything else.
int line_value(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return -1;
  line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
  for (const char c : line) {
    if (c < '0' || c > '9') return -1;
  }
  const std::size_t significant = line.find_first_not_of('0');
  if (significant == std::string_view::npos) return 0;
  if (line.size() - significant > 1) return -1;  // 10 or more
  return line.back() - '0';
}

}  // namespace

FileResult<DigitGrid> parse_sud(std::string_view bytes, std::string_view file_name) {
  DigitGrid cells{};
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  int number = 0;
  // A line end closes its line; it does not open another, so a file whose
  // last line ends with CR LF has exactly as many lines as line ends.
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (++number > kCells) {
      return refusal(file_name, in_quotes(file_name) +
                                    " has more than 81 lines; a puzzle file holds one line per cell.");
    }
    const int value = line_value(line);
    if (value < 0) {
      const std::string what = line.empty() ? std::string("empty") : in_quotes(printable(line));
      return refusal(file_name, "Line " + std::to_string(number) + " of " + in_quotes(file_name) + " is " +
                                    what + ", not a digit from 0 to 9.");
    }
    cells[static_cast<std::size_t>(number - 1)] = static_cast<std::uint8_t>(value);
  }
  return cells;
}

FileResult<DigitGrid> read_sud_file(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const auto too_large = [&] {
    return refusal(path, in_quotes(name) + " is too large to be a puzzle file (more than " +
                             std::to_string(kMaxSudBytes / 1024) + " KiB).");
  };
  // Non-blocking, so that opening a named pipe cannot hang the window.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) return io_error("Cannot open", path, errno);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return io_error("Cannot read", path, errno);
  if (S_ISDIR(info.st_mode)) return io_error("Cannot read", path, EISDIR);
  if (!S_ISREG(info.st_mode))
    return refusal(path, "Cannot read " + in_quotes(path.string()) + ": not a regular file.");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxSudBytes) return too_large();

  // The file may have grown since fstat: read one byte past the limit to see.
  std::string bytes(kMaxSudBytes + 1, '\0');
  std::size_t size = 0;
  while (size < bytes.size()) {
    const ssize_t got = ::read(fd.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return io_error("Cannot read", path, errno);
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  if (size > kMaxSudBytes) return too_large();
  bytes.resize(size);
  FileResult<DigitGrid> parsed = parse_sud(bytes, name);
  if (!parsed) return refusal(path, parsed.error().message);
  return parsed;
}

std::string format_sud(const DigitGrid& cells) {
  std::string text;
  text.reserve(kCells * 5);
  for (const std::uint8_t value : cells) {
    if (value >= 1 && value <= 9) {
      text += static_cast<char>('0' + value);
    } else {
      text += " 0 ";  // how the number 0 is printed to a text file
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace quorlen
