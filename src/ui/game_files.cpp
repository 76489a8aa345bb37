// Games that outlast the window: Save game and Open game, the last game
// kept as it is played and Continue, the statistics; and the texts a
// puzzle is copied and pasted as.
#include <algorithm>
#include <utility>

#include "board/grid_rules.h"
#include "files/replace_file.h"
#include "game/puzzle_text.h"
#include "ui/folders.h"
#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

constexpr const char* kGameFilter = "Quorlen games (*.quorlen)";

bool any_digit(const DigitGrid& grid) {
  return std::any_of(grid.begin(), grid.end(), [](std::uint8_t digit) { return digit != 0; });
}

}  // namespace

void Sudoku::mnuSaveGame_Click() {
  close_steps();
  const std::filesystem::path folder =
      last_game_folder_.empty() ? platform_.documents_directory() : last_game_folder_;
  const FileDialogResult chosen =
      platform_.file_dialog({FileDialogKind::save, "Save Game", kGameFilter, folder});
  if (!chosen.ok) return;  // a cancel needs no message
  if (const FileResult<> saved = replace_file(chosen.path, format_game(saved_game())); !saved) {
    platform_.message_box(saved.error().message);
    return;
  }
  last_game_folder_ = folder_of(chosen.path);
}

void Sudoku::mnuOpenGame_Click() {
  close_steps();
  const std::filesystem::path folder =
      last_game_folder_.empty() ? platform_.documents_directory() : last_game_folder_;
  const FileDialogResult chosen =
      platform_.file_dialog({FileDialogKind::open, "Open Game", kGameFilter, folder});
  if (chosen.ok) open_game(chosen.path);
}

// The whole file is read and checked before anything changes.
void Sudoku::open_game(const std::filesystem::path& path) {
  const FileResult<SavedGame> file = read_game_file(path);
  if (!file) {
    platform_.message_box(file.error().message);
    return;
  }
  bring_back(file.value());
  last_game_folder_ = folder_of(path);
}

void Sudoku::mnuContinue_Click() {
  close_steps();
  const FileResult<SavedGame>* last = keeping_.earlier();
  if (last == nullptr) {
    platform_.message_box(kNoLastGame);
    return;
  }
  if (!*last) {
    platform_.message_box(last->error().message);
    return;
  }
  bring_back(last->value());
  earlier_in_history_ = true;
}

void Sudoku::bring_back(const SavedGame& saved) {
  close_steps();
  clear_hint();
  resume();
  bank_time();
  std::vector<Snapshot> earlier;
  // What the window did before stays within reach of undo, unless it has
  // done nothing yet.
  if (history_.can_undo() || history_.can_redo() || !(game_ == Game{})) {
    earlier = history_.earlier();
    earlier.push_back({game_, solve_});
  }
  for (const Game& state : saved.earlier) earlier.push_back({state, nullptr});
  std::vector<Snapshot> later;
  for (const Game& state : saved.later) later.push_back({state, nullptr});
  history_.replace(std::move(earlier), std::move(later));
  game_ = saved.present;
  // Quorlen poses the game it brings back: its givens are protected, as a
  // new puzzle's are, whoever froze them.
  if (game_.puzzle != 0) game_.givens_protected = true;
  forget_last_solve();
  clock_.reset(std::chrono::milliseconds{game_.played_ms});
  update_clock();
  view_stale_ = true;
  unsaved();
}

SavedGame Sudoku::saved_game() const {
  SavedGame saved;
  for (Snapshot& state : history_.earlier()) saved.earlier.push_back(std::move(state.game));
  saved.present = game_;
  saved.present.played_ms = time_played().count();
  for (Snapshot& state : history_.later()) saved.later.push_back(std::move(state.game));
  return saved;
}

void Sudoku::keep_games(const KeptFiles& files) { keeping_.set(files); }

void Sudoku::unsaved() {
  if (unsaved_) return;
  unsaved_ = true;
  unsaved_since_ = platform_.now();
}

std::optional<std::chrono::milliseconds> Sudoku::autosave_in() const {
  if (!keeping_.keeps_games()) return std::nullopt;
  const auto wait = [this](std::chrono::steady_clock::time_point since, std::chrono::milliseconds delay) {
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(platform_.now() - since);
    return std::max(delay - waited, std::chrono::milliseconds{0});
  };
  if (unsaved_) return wait(unsaved_since_, kAutosaveDelay);
  if (clock_.running()) return wait(saved_at_, kTimeSaveEvery);
  return std::nullopt;
}

void Sudoku::autosave() {
  if (!keeping_.keeps_games() || (!unsaved_ && !clock_.running())) return;
  SavedGame saved = saved_game();
  // The last game of the window before stays within reach of undo after
  // Continue, even once this window's game has taken its place.
  if (const FileResult<SavedGame>* earlier = keeping_.earlier();
      !earlier_in_history_ && earlier && *earlier) {
    const SavedGame& before = earlier->value();
    std::vector<Game> under = before.earlier;
    under.push_back(before.present);
    saved.earlier.insert(saved.earlier.begin(), under.begin(), under.end());
    const std::size_t states = saved.earlier.size() + saved.later.size();
    if (states > kHistorySteps)
      saved.earlier.erase(saved.earlier.begin(),
                          saved.earlier.begin() + static_cast<std::ptrdiff_t>(states - kHistorySteps));
  }
  const FileResult<> written = keeping_.save_last_game(saved);
  saved_at_ = unsaved_since_ = platform_.now();  // a save that failed is tried again after the delay
  if (written) {
    unsaved_ = false;
    autosave_failed_ = false;
    return;
  }
  if (autosave_failed_) return;
  autosave_failed_ = true;
  platform_.message_box(std::string(kCannotKeepGame) + written.error().message);
}

FileResult<Statistics> Sudoku::statistics() const {
  if (!keeping_.keeps_statistics()) return Statistics{};
  return keeping_.statistics();
}

std::string Sudoku::copy_puzzle() const {
  const DigitGrid givens = givens_of(game_.board);
  return puzzle_string(any_digit(givens) ? givens : shown_digits(game_));
}

std::string Sudoku::copy_progress() const { return progress_line(game_); }

bool Sudoku::read_text(std::string_view text, std::string* why) {
  const FileResult<PuzzleText> read = read_puzzle_text(text);
  if (!read) {
    if (why != nullptr) *why = read.error().message;
    return false;
  }
  const PuzzleText& puzzle = read.value();
  change(By::command, [&] {
    if (!puzzle.progress || any_digit(puzzle.givens)) {
      pose_puzzle(puzzle.givens);
    } else {
      cmdNew_Click();  // digits and notes typed in before Freeze
    }
    for (int index = 0; index < 81; ++index) {
      const auto i = static_cast<std::size_t>(index);
      const char digit = static_cast<char>('0' + puzzle.digits[i]);
      if (puzzle.digits[i] != 0) type(index, std::string_view(&digit, 1));
      game_.cells[i].notes = puzzle.notes[i];
    }
    // The notes come as the person left them: no digit read strikes them.
    digits_before_ = shown_digits(game_);
    if (game_.puzzle != 0 && solves(givens_of(game_.board), shown_digits(game_))) game_.finished = true;
  });
  return true;
}

}  // namespace quorlen
