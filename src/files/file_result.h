// How every function of files/ that can fail reports: a value, or what
// failed and why. The result must be looked at: a write whose failure goes
// unread loses the user's data without a word.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace quorlen {

struct FileError {
  std::filesystem::path path;  // the file or folder that failed
  int code = 0;                // the system's errno value; 0 when the program's own check refused
  std::string message;         // the whole text for the user; it names what failed
};

// The system's text for an errno value (EIO for 0: a failure with no number).
std::string system_reason(int code);

// A failure of the system on `path`: "PATH: reason".
FileError os_error(const std::filesystem::path& path, int code);

// `"TEXT"`, as the messages quote a file's name or a line of one.
std::string in_quotes(std::string_view text);

// What the user asked for failed on `path`: `ACTION "PATH": REASON.`, for
// example `Cannot save "a.sud": No space left on device.`
FileError action_error(std::string_view action, const std::filesystem::path& path, int code,
                       std::string_view reason);

template <class T = void>
class [[nodiscard]] FileResult {
 public:
  FileResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  FileResult(FileError error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const { return std::get<0>(state_); }
  const FileError& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, FileError> state_;
};

template <>
class [[nodiscard]] FileResult<void> {
 public:
  FileResult() = default;
  FileResult(FileError error) : error_(std::move(error)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const FileError& error() const { return error_; }

 private:
  FileError error_;
  bool failed_ = false;
};

}  // namespace quorlen
