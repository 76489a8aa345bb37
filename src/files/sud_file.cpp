#include "files/sud_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "files/safe_write.h"

namespace quorlen {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kCells = 81;

SudRead failure(std::string message) {
  SudRead result;
  result.error = std::move(message);
  return result;
}

std::string in_quotes(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string system_message(int error) { return std::generic_category().message(error); }

// `what "path": reason.`, for a failure of the operating system.
std::string io_error(std::string_view what, const std::filesystem::path& path, int error) {
  return std::string(what) + " " + in_quotes(path.string()) + ": " + system_message(error) + ".";
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

// Any extended attribute (ACLs are some) but the SELinux label, which a new
// file in the same folder gets anyway.
bool has_extended_attributes(const std::filesystem::path& path) {
  const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
  if (size <= 0) return false;
  std::string names(static_cast<std::size_t>(size), '\0');
  const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
  if (got < 0) return true;  // they changed meanwhile
  for (std::size_t at = 0; at < static_cast<std::size_t>(got); at = names.find('\0', at) + 1) {
    if (std::string_view(names.c_str() + at) != "security.selinux") return true;
  }
  return false;
}

// Whether the new file `created`, renamed over `target`, would be the same
// file to everyone who uses it: the only name of the file it replaces, with
// the same owner and group (the group is set when it may be), and no
// extended attributes to lose.
bool rename_keeps_identity(const std::filesystem::path& target, const struct stat& existing, int created) {
  struct stat info {};
  if (existing.st_nlink != 1 || ::fstat(created, &info) != 0 || info.st_uid != existing.st_uid) return false;
  if (info.st_gid != existing.st_gid && ::fchown(created, static_cast<uid_t>(-1), existing.st_gid) != 0)
    return false;
  return !has_extended_attributes(target);
}

}  // namespace

std::string escape_control(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\t') {
      out += "\\t";
    } else if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

SudRead parse_sud(std::string_view bytes, std::string_view file_name) {
  SudRead result;
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
      return failure(in_quotes(file_name) +
                     " has more than 81 lines; a puzzle file holds one line per cell.");
    }
    const int value = line_value(line);
    if (value < 0) {
      const std::string what = line.empty() ? std::string("empty") : in_quotes(printable(line));
      return failure("Line " + std::to_string(number) + " of " + in_quotes(file_name) + " is " + what +
                     ", not a digit from 0 to 9.");
    }
    result.cells[static_cast<std::size_t>(number - 1)] = static_cast<std::uint8_t>(value);
  }
  return result;
}

SudRead read_sud_file(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const auto too_large = [&] {
    return failure(in_quotes(name) + " is too large to be a puzzle file (more than " +
                   std::to_string(kMaxSudBytes / 1024) + " KiB).");
  };
  // Non-blocking, so that opening a named pipe cannot hang the window.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) return failure(io_error("Cannot open", path, errno));
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return failure(io_error("Cannot read", path, errno));
  if (S_ISDIR(info.st_mode)) return failure(io_error("Cannot read", path, EISDIR));
  if (!S_ISREG(info.st_mode))
    return failure("Cannot read " + in_quotes(path.string()) + ": not a regular file.");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxSudBytes) return too_large();

  // The file may have grown since fstat: read one byte past the limit to see.
  std::string bytes(kMaxSudBytes + 1, '\0');
  std::size_t size = 0;
  while (size < bytes.size()) {
    const ssize_t got = ::read(fd.get(), bytes.data() + size, bytes.size() - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      return failure(io_error("Cannot read", path, errno));
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  if (size > kMaxSudBytes) return too_large();
  bytes.resize(size);
  return parse_sud(bytes, name);
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

std::string replace_file(const std::filesystem::path& path, std::string_view bytes) {
  const auto failed = [&](int error) { return io_error("Cannot save", path, error); };

  // Saving through a symbolic link replaces the file it points to, and
  // keeps the link, even when that file does not exist yet.
  std::filesystem::path target = path;
  std::error_code ec;
  for (int hops = 0; std::filesystem::is_symlink(target, ec); ++hops) {
    if (hops == 40) return failed(ELOOP);
    const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) return failed(ec.value());
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    // Only an ordinary file that may be written is replaced: a read-only
    // file stays as it is, and a device or pipe is never swapped for a file.
    if (S_ISDIR(existing.st_mode)) return failed(EISDIR);
    if (!S_ISREG(existing.st_mode))
      return "Cannot save " + in_quotes(path.string()) + ": not a regular file.";
    if (::access(target.c_str(), W_OK) != 0) return failed(errno);
  }

  // The new file must sit in the same folder, so that the rename is atomic:
  // the chosen path then holds either the old file or the new one. Until it
  // is whole it is readable by its owner at most, so that no one else can
  // open it; a replaced file's permissions come last.
  const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";
  NewFile temp;
  int error = temp.create(dir, exists ? existing.st_mode & 0600 : 0666);
  if (exists && (error != 0 || !rename_keeps_identity(target, existing, temp.fd()))) {
    temp.discard();
    error = write_in_place(target, existing, bytes);
    return error == 0 ? std::string() : failed(error);
  }
  if (error == 0) error = temp.write(bytes);
  // Never setuid, setgid or sticky: those are for programs, not puzzles.
  if (error == 0 && exists && ::fchmod(temp.fd(), existing.st_mode & 0777) != 0) error = errno;
  if (error == 0) error = temp.put_in_place(target, true);
  if (error != 0) return failed(error);
  return {};
}

}  // namespace quorlen
