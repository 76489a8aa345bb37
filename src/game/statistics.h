// What a person has played, level by level, over all their games: kept in
// a file of its own, read and written whole.
//
//   Quorlen statistics 1
//   easy 12 9 7 183004 2611950
//   medium 3 1 0 - 840113
//
// After the first line, a line per level that has any: the level, then the
// games started, finished, finished without help (no hint, no Solve), the
// best time of those (milliseconds, "-" while there is none) and the time
// of all finished games together. A level without a line has none.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/file_result.h"

namespace quorlen {

struct LevelStatistics {
  std::int64_t started = 0;
  std::int64_t finished = 0;
  std::int64_t unaided = 0;   // finished without help
  std::int64_t best_ms = -1;  // the fastest of those, or -1
  std::int64_t total_ms = 0;  // of every finished game, for the average
  friend bool operator==(const LevelStatistics&, const LevelStatistics&) = default;
};

// By level 0..3, Easy to Very Difficult.
struct Statistics {
  std::array<LevelStatistics, 4> levels{};
  friend bool operator==(const Statistics&, const Statistics&) = default;
};

// A game of `level` (0..3) posed.
void record_start(Statistics& statistics, int level);

// A game of `level` finished in `ms`: true when it is the level's new best
// (only a game finished without help can be one).
bool record_finish(Statistics& statistics, int level, std::int64_t ms, bool helped);

std::string format_statistics(const Statistics& statistics);
FileResult<Statistics> parse_statistics(std::string_view bytes, std::string_view file_name);

}  // namespace quorlen
