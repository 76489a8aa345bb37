// Load and Save: the window's ".sud" puzzle file commands.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "files/replace_file.h"
#include "files/sud_file.h"
#include "ui/folders.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

FileDialogRequest puzzle_dialog(FileDialogKind kind, const std::filesystem::path& initial_dir) {
  FileDialogRequest request;
  request.kind = kind;
  if (kind == FileDialogKind::open) {
    request.title = " Open Sudoku ";
    request.filter = "Soduku Files (*.sud)";
  } else {
    request.title = " Save Soduku ";
    request.filter = "Sudoku files (*.sud)";
  }
  request.initial_dir = initial_dir;
  return request;
}

// The chosen path, or nothing after the dialog's own failure text has been
// shown (a cancel counts as a failure).
std::optional<std::filesystem::path> choose_file(Platform& platform, FileDialogKind kind,
                                                 const std::filesystem::path& initial_dir) {
  FileDialogResult chosen = platform.file_dialog(puzzle_dialog(kind, initial_dir));
  if (chosen.ok) return std::move(chosen.path);
  platform.message_box(chosen.error.empty() ? std::string(kDialogCancelled) : chosen.error);
  return std::nullopt;
}

}  // namespace

void Sudoku::cmdLoad_Click() {
  close_steps();
  const auto path =
      choose_file(platform_, FileDialogKind::open, load_dialog_folder(platform_.program_directory()));
  if (path) load_file(*path);
}

void Sudoku::open_file(const std::filesystem::path& path) {
  change(By::command, [&] {
    cmdNew_Click();
    load_file(path);
  });
}

// The whole file is read and checked before anything changes, so a bad file
// leaves the user's grid as it was.
void Sudoku::load_file(const std::filesystem::path& path) {
  const FileResult<DigitGrid> file = read_sud_file(path);
  if (!file) {
    show_message(file.error().message);
    return;
  }

  change(By::command, [&] {
    clear_puzzle(true);
    for (int i = 1; i <= 81; ++i) {
      const std::uint8_t value = file.value()[static_cast<std::size_t>(i - 1)];
      if (value == 0) continue;
      game_.cells[static_cast<std::size_t>(i - 1)] = {value, DigitOwner::person, CellInk::black, 0, false};
      set_cell_digit(game_.board, i - 1, value);
    }

    // A loaded puzzle has no givens yet: it must be frozen before it is solved.
    game_.controls.restart = false;
    game_.controls.solve = false;
    game_.controls.save = true;
  });
  last_folder_ = folder_of(path);
}

void Sudoku::cmdSave_Click() {
  close_steps();
  const auto path = choose_file(
      platform_, FileDialogKind::save,
      save_dialog_folder(platform_.program_directory(), last_folder_, platform_.documents_directory()));
  if (!path) return;
  if (const FileResult<> saved = replace_file(*path, format_sud(shown_digits(game_))); !saved) {
    platform_.message_box(saved.error().message);
    return;
  }
  last_folder_ = folder_of(*path);
}

}  // namespace quorlen
