// The window logic's platform on Qt: modal message boxes, the open and save
// dialogs, the folder of the executable and the user's documents folder.
#pragma once

#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "ui/platform.h"

class QWidget;

namespace quorlen {

// Stand-ins for the modal parts, so that tests and the screenshot never wait
// for a person. Each hook that is set replaces the real thing.
struct PlatformHooks {
  std::function<void(const std::string& text)> message_box;
  std::function<FileDialogResult(const FileDialogRequest&)> file_dialog;
  std::filesystem::path program_directory;                            // empty: the executable's folder
  std::function<std::chrono::steady_clock::time_point()> clock = {};  // empty: the system's steady clock
};

class QtPlatform : public Platform {
 public:
  // `before_modal` runs before any box or dialog opens: the window brings its
  // widgets up to date, so the grid is current while the box is up.
  QtPlatform(QWidget* parent, PlatformHooks hooks, std::function<void()> before_modal);

  void message_box(const std::string& text) override;
  FileDialogResult file_dialog(const FileDialogRequest& request) override;
  std::filesystem::path program_directory() const override;
  std::filesystem::path documents_directory() const override;
  std::chrono::steady_clock::time_point now() const override;

  static constexpr const char* kTitle = "Quorlen";
  static constexpr const char* kCancelled = "Cancel was selected.";

 private:
  QWidget* parent_;
  PlatformHooks hooks_;
  std::function<void()> before_modal_;
};

QString to_qstring(const std::filesystem::path& path);
std::filesystem::path to_path(const QString& path);

}  // namespace quorlen
