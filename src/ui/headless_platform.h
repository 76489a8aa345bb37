// The platform without a screen, for the command line, the tests and the
// benchmark: message boxes are recorded, and file dialogs are answered from
// a queue of prepared answers (an empty queue answers as a cancel does).
// Its one folder is given, and every file goes there as given: the step log
// and the documents folder are the program's directory. Its clock stands
// still until the caller moves it.
#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace quorlen {

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::filesystem::path program_dir) : program_dir_(std::move(program_dir)) {}

  void message_box(const std::string& text) override { messages.push_back(text); }
  FileDialogResult file_dialog(const FileDialogRequest& request) override;
  std::filesystem::path program_directory() const override { return program_dir_; }
  std::filesystem::path documents_directory() const override { return program_dir_; }
  std::filesystem::path step_log_directory() const override { return program_dir_; }
  std::chrono::steady_clock::time_point now() const override { return clock; }

  // The next dialog chooses `path`.
  void answer_next_dialog(std::filesystem::path path) { answers.push_back({true, std::move(path), {}}); }

  std::vector<std::string> messages;            // every box shown, in order
  std::vector<FileDialogRequest> requests;      // every dialog shown, in order
  std::deque<FileDialogResult> answers;         // what the next dialogs answer
  std::chrono::steady_clock::time_point clock;  // what now() answers

 private:
  std::filesystem::path program_dir_;
};

}  // namespace quorlen
