// What only a real toolkit (or a test double) can do for the window logic:
// the modal message box, the file dialogs, the folders of the system and
// the clock.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace quorlen {

// What a dialog reports when the user cancels it.
inline constexpr const char* kDialogCancelled = "Cancel was selected.";

enum class FileDialogKind { open, save };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::open;
  std::string title;
  std::string filter;  // one text naming "*.sud" files
  std::filesystem::path initial_dir;
};

// The chosen full path, or a description of why there is none (a cancel by
// the user is reported as such a failure).
struct FileDialogResult {
  bool ok = false;
  std::filesystem::path path;
  std::string error;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Shows `text` with an OK button only and the program's name as title;
  // returns when the user has closed it.
  virtual void message_box(const std::string& text) = 0;

  virtual FileDialogResult file_dialog(const FileDialogRequest& request) = 0;

  // The directory that holds the program.
  virtual std::filesystem::path program_directory() const = 0;

  // The user's documents folder (or home folder, where there is none).
  virtual std::filesystem::path documents_directory() const = 0;

  // Where Solve writes steps.txt: by default the program's directory for a
  // build or an unpacked copy, the user's data folder for an installed copy
  // (see ui/folders.h).
  virtual std::filesystem::path step_log_directory() const;

  // The time now, on a clock that a change of the system's time does not
  // move: how long a puzzle took is measured on it.
  virtual std::chrono::steady_clock::time_point now() const;
};

}  // namespace quorlen
