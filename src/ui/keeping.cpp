#include "ui/keeping.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/read_file.h"
#include "files/replace_file.h"
#include "ui/folders.h"

namespace quorlen {
namespace {

// The statistics of a handful of levels: a few hundred bytes.
constexpr std::size_t kMaxStatisticsBytes = 64 * 1024;

// Writes `bytes` to `path`, making its folder first.
FileResult<> write_kept(const std::filesystem::path& path, const std::string& bytes) {
  if (const std::string failed = create_private_folders(path.parent_path()); !failed.empty())
    return action_error("Cannot save", path, 0, failed);
  return replace_file(path, bytes);
}

}  // namespace

KeptFiles kept_files() {
  return {user_state_folder() / "last-game.quorlen", user_data_folder() / "statistics.txt"};
}

const FileResult<SavedGame>* Keeping::earlier() {
  if (!keeps_games()) return nullptr;
  if (!earlier_) earlier_ = read_game_file(files_.last_game);
  const bool none = !*earlier_ && earlier_->error().code == ENOENT;
  return none ? nullptr : &*earlier_;
}

FileResult<> Keeping::save_last_game(const SavedGame& game) {
  if (const FileResult<SavedGame>* found = earlier(); found != nullptr && !*found && !unread_kept_) {
    std::filesystem::path unread = files_.last_game;
    unread.replace_extension(".unread.quorlen");
    unread_kept_ = std::rename(files_.last_game.c_str(), unread.c_str()) == 0 || errno == ENOENT;
  }
  return write_kept(files_.last_game, format_game(game));
}

FileResult<Statistics> Keeping::statistics() const {
  const FileResult<std::string> bytes = read_whole_file(files_.statistics, kMaxStatisticsBytes);
  if (!bytes) {
    if (bytes.error().code == ENOENT) return Statistics{};
    return bytes.error();
  }
  return parse_statistics(bytes.value(), files_.statistics.string());
}

FileResult<> Keeping::update_statistics(const std::function<void(Statistics&)>& update) {
  if (!keeps_statistics()) return {};
  FileResult<Statistics> read = statistics();
  if (!read) return read.error();
  Statistics statistics = read.value();
  update(statistics);
  return write_kept(files_.statistics, format_statistics(statistics));
}

}  // namespace quorlen
