// What a window keeps beyond its own life: the last game, saved as it is
// played so that Continue brings it back the next day (or after a crash),
// and the statistics of the games finished. Both are written as Save
// writes a file: a new file that replaces the old one only once it is
// whole, so a crash, a kill or a full disk never leaves a cut one.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "files/file_result.h"
#include "game/game_file.h"
#include "game/statistics.h"

namespace quorlen {

struct KeptFiles {
  std::filesystem::path last_game;   // empty: no game kept
  std::filesystem::path statistics;  // empty: none kept
};

// Where a user's Quorlen keeps them: $XDG_STATE_HOME/quorlen/last-game.quorlen
// (~/.local/state when the variable is unset) and
// $XDG_DATA_HOME/quorlen/statistics.txt (~/.local/share).
KeptFiles kept_files();

class Keeping {
 public:
  void set(KeptFiles files) { files_ = std::move(files); }
  bool keeps_games() const { return !files_.last_game.empty(); }
  bool keeps_statistics() const { return !files_.statistics.empty(); }

  // The last game as it was before this window wrote one, read when first
  // asked for; null when there is none to continue.
  const FileResult<SavedGame>* earlier();
  // Writes the last game. The earlier one is read first, so that it stays
  // at hand; one that could not be read (a newer Quorlen's, say) is kept
  // beside it as last-game.unread.quorlen rather than written over.
  FileResult<> save_last_game(const SavedGame& game);

  // The statistics as the file holds them (none yet: all zero).
  FileResult<Statistics> statistics() const;
  // Reads the statistics, changes them and writes them back; a file that
  // cannot be read is left as it is.
  FileResult<> update_statistics(const std::function<void(Statistics&)>& update);

 private:
  KeptFiles files_;
  std::optional<FileResult<SavedGame>> earlier_;
  bool unread_kept_ = false;
};

}  // namespace quorlen
