// Test doubles and helpers shared by the core tests.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "board/units.h"
#include "ui/platform.h"
#include "ui/sudoku.h"

namespace quorlen::testing {

// Records every message box and every dialog request; answers dialogs from
// a queue (an empty queue answers like a cancel).
class ScriptedPlatform : public Platform {
 public:
  explicit ScriptedPlatform(std::filesystem::path dir = std::filesystem::temp_directory_path())
      : dir_(std::move(dir)) {}

  void message_box(const std::string& text) override { messages.push_back(text); }

  FileDialogResult file_dialog(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {false, {}, "Cancel was selected."};
    FileDialogResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::filesystem::path program_directory() const override { return dir_; }

  std::vector<std::string> messages;
  std::vector<FileDialogRequest> requests;
  std::deque<FileDialogResult> answers;

 private:
  std::filesystem::path dir_;
};

// Types a row-major puzzle (digits, '.' or '0' for empty) into the grid.
inline void type_puzzle(Sudoku& window, std::string_view puzzle) {
  for (int i = 0; i < 81; ++i) {
    const char c = puzzle[static_cast<std::size_t>(i)];
    if (c >= '1' && c <= '9') window.type_into_cell(grid_index(i / 9, i % 9), std::string(1, c));
  }
}

// New, type, Freeze: the puzzle is ready to solve.
inline void enter_puzzle(Sudoku& window, std::string_view puzzle) {
  window.cmdNew_Click();
  type_puzzle(window, puzzle);
  window.cmdFreeze_Click();
}

// The grid as shown, row-major, '.' for an empty cell.
inline std::string shown_grid(const View& view) {
  std::string grid(81, '.');
  for (int i = 0; i < 81; ++i) {
    const std::string& text = view.cell_text(grid_index(i / 9, i % 9));
    if (!text.empty()) grid[static_cast<std::size_t>(i)] = text.front();
  }
  return grid;
}

// The records of a step log, each without its quotes' line end (CR LF).
inline std::vector<std::string> read_log_lines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  const std::string text = content.str();
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();  // a torn last record shows as a line of its own
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace quorlen::testing
