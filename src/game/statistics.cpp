#include "game/statistics.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

#include "files/escape_control.h"

namespace quorlen {
namespace {

constexpr std::string_view kHeader = "Quorlen statistics 1";
constexpr std::string_view kLevels[] = {"easy", "medium", "difficult", "very-difficult"};

// A count or a time: decimal digits, at most as many as an int64 holds.
std::optional<std::int64_t> amount(std::string_view word) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < 0 || word.starts_with('+'))
    return std::nullopt;
  return value;
}

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  while (!line.empty()) {
    const std::size_t end = line.find(' ');
    out.push_back(line.substr(0, end));
    line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
  }
  return out;
}

// Counts read from a file may stand anywhere up to the largest int64.
void add(std::int64_t& to, std::int64_t amount) { to = amount > INT64_MAX - to ? INT64_MAX : to + amount; }

}  // namespace

void record_start(Statistics& statistics, int level) {
  add(statistics.levels[static_cast<std::size_t>(level)].started, 1);
}

bool record_finish(Statistics& statistics, int level, std::int64_t ms, bool helped) {
  LevelStatistics& s = statistics.levels[static_cast<std::size_t>(level)];
  add(s.finished, 1);
  add(s.total_ms, ms);
  if (helped) return false;
  add(s.unaided, 1);
  const bool best = s.best_ms < 0 || ms < s.best_ms;
  if (best) s.best_ms = ms;
  return best;
}

std::string format_statistics(const Statistics& statistics) {
  std::string out = std::string(kHeader) + '\n';
  for (std::size_t level = 0; level < statistics.levels.size(); ++level) {
    const LevelStatistics& s = statistics.levels[level];
    if (s == LevelStatistics{}) continue;
    out += std::string(kLevels[level]) + ' ' + std::to_string(s.started) + ' ' + std::to_string(s.finished) +
           ' ' + std::to_string(s.unaided) + ' ' + (s.best_ms >= 0 ? std::to_string(s.best_ms) : "-") + ' ' +
           std::to_string(s.total_ms) + '\n';
  }
  return out;
}

FileResult<Statistics> parse_statistics(std::string_view bytes, std::string_view file_name) {
  Statistics statistics;
  int number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    ++number;
    const auto refuse = [&] {
      return FileError{.path = std::string(file_name),
                       .code = 0,
                       .message = "Line " + std::to_string(number) + " of \"" + escape_control(file_name) +
                                  "\" is not understood: \"" + escape_control(line.substr(0, 40)) + "\"."};
    };
    if (number == 1) {
      if (line != kHeader) return refuse();
      continue;
    }
    const std::vector<std::string_view> w = words(line);
    const auto level =
        w.empty() ? std::end(kLevels) : std::find(std::begin(kLevels), std::end(kLevels), w[0]);
    if (w.size() != 6 || level == std::end(kLevels)) return refuse();
    const auto started = amount(w[1]), finished = amount(w[2]), unaided = amount(w[3]), total = amount(w[5]);
    const auto best = w[4] == "-" ? std::optional<std::int64_t>(-1) : amount(w[4]);
    if (!started || !finished || !unaided || !best || !total || *unaided > *finished) return refuse();
    statistics.levels[static_cast<std::size_t>(level - std::begin(kLevels))] = {*started, *finished, *unaided,
                                                                                *best, *total};
  }
  return statistics;
}

}  // namespace quorlen
