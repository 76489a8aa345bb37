// How hard the Solve command found a puzzle it solved: the difficulty that
// Label1 shows, and the level it names. The Solve command and the puzzle
// generator rate by this one formula, so a puzzle made "Difficult" is one
// that Solve calls Difficult.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorlen {

enum class Level { easy, medium, difficult, very_difficult };
inline constexpr int kLevelCount = 4;

// (5 * guesses + passes) / 5, rounded down: each guess counts as five
// reduction passes. In 64 bits so that no count can overflow it, and at
// most INT32_MAX.
constexpr std::int32_t difficulty_of(std::int32_t passes, std::int32_t guesses) {
  const std::int64_t difficulty = (5 * std::int64_t{guesses} + passes) / 5;
  return static_cast<std::int32_t>(std::min<std::int64_t>(difficulty, INT32_MAX));
}

// 0 Easy, 1 Medium, 2 Difficult, 3 and more Very Difficult.
constexpr Level level_of(std::int32_t difficulty) {
  return difficulty <= 0   ? Level::easy
         : difficulty == 1 ? Level::medium
         : difficulty == 2 ? Level::difficult
                           : Level::very_difficult;
}

// "Easy", "Medium", "Difficult", "Very Difficult", as the window names them.
constexpr std::string_view level_name(Level level) {
  constexpr std::string_view kNames[] = {"Easy", "Medium", "Difficult", "Very Difficult"};
  return kNames[static_cast<int>(level)];
}

// The level of a name as a command line writes it: "easy", "medium",
// "difficult" or "very-difficult".
constexpr std::optional<Level> level_from_option(std::string_view text) {
  constexpr std::string_view kOptions[] = {"easy", "medium", "difficult", "very-difficult"};
  for (int i = 0; i < kLevelCount; ++i) {
    if (text == kOptions[i]) return static_cast<Level>(i);
  }
  return std::nullopt;
}

}  // namespace quorlen
