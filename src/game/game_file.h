// The game file ".quorlen": a game with its history, as text, so that a game
// saved today goes on tomorrow exactly where it was, undo included.
//
//   Quorlen game 1
//   states 3 present 2
//   state
//   cells enabled
//   buttons 11100
//   cell 1 3 3 person black - - - - -
//   state
//   cell 1 4 7 person black - - - - -
//   state
//   cell 1 4 . - black 137 - - - -
//   end
//
// The first line names the format and its version; the second how many
// states follow (oldest first) and which of them is the present: those
// before it are what undo steps back through, those after it what redo
// brings back. Each state lists only what differs from the state before it
// (the first, from the window as it opens). The last line is "end", so that
// a file cut short is told from a whole one. README.md ("The game file")
// describes every line.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_result.h"
#include "game/game.h"

namespace quorlen {

inline constexpr int kGameFileVersion = 1;
inline constexpr const char* kGameFileExtension = ".quorlen";

// As many states as the window's history keeps (2,000 steps to undo and to
// redo together) and the present; a file that claims more is refused.
inline constexpr std::size_t kMaxGameStates = 2001;
// Well above what those states take (a few kilobytes each at the most).
inline constexpr std::size_t kMaxGameFileBytes = 16 * 1024 * 1024;

// A game and the states around it, in the order they were played.
struct SavedGame {
  std::vector<Game> earlier;  // what undo steps back through, oldest first
  Game present;
  std::vector<Game> later;  // what redo brings back, the next one first
  friend bool operator==(const SavedGame&, const SavedGame&) = default;
};

std::string format_game(const SavedGame& game);

// The game in the bytes of a game file, or why there is none: not a game
// file, a newer version, a line that is not understood, or cut short.
// `file_name` names the file in the message.
FileResult<SavedGame> parse_game(std::string_view bytes, std::string_view file_name);

// Reads and parses the file at `path`; a file over kMaxGameFileBytes is
// refused unread, and so is anything but a regular file.
FileResult<SavedGame> read_game_file(const std::filesystem::path& path);

}  // namespace quorlen
