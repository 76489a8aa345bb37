// The texts of playing: Check's answers, the message of a puzzle solved by
// the person, and what a screen reader hears of each cell beyond its name.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "generator/rating.h"
#include "solver/difficulty.h"
#include "view/view.h"

namespace quorlen {

inline constexpr const char* kCheckNoGivens =
    "There are no givens to check against: Freeze makes the digits on the grid the givens.";
inline constexpr const char* kCheckNoSolution =
    "The givens have no solution, so there is nothing to check against.";
inline constexpr const char* kCheckSeveral =
    "The givens have more than one solution, so there is nothing to check against.";

inline constexpr const char* kNoLastGame =
    "There is no game to continue: Quorlen keeps the game in the window as it is played, from its first "
    "change.";
// Followed by what failed.
inline constexpr const char* kCannotKeepGame = "Quorlen cannot keep this game for Continue: ";
inline constexpr const char* kCannotKeepStatistics = "Quorlen cannot keep its statistics: ";

inline constexpr const char* kHintNoPuzzle = "There is no puzzle yet: New unlocks the grid.";
inline constexpr const char* kNoSteps =
    "There are no steps to show: Steps shows how to solve the puzzle once Freeze has posed it, and the "
    "digits "
    "the last Solve placed.";
inline constexpr const char* kNoPathSteps =
    "There are no steps by hand to show: the puzzle does not have exactly one solution.";

// Check's answer when the givens have one solution: of the `entered`
// digits that are not givens, `wrong` differ from it ("The 1 digit besides
// the givens is wrong.", "2 of the 3 digits besides the givens are wrong.").
std::string check_text(int entered, int wrong);

// "You solved the puzzle in 4:07.", the time played on it; with the level
// it is a new best for, "That is your best time for a Medium puzzle." after it.
std::string finish_text(std::chrono::milliseconds taken, std::optional<Level> best = std::nullopt);

// A time as the finish message, the status line and the statistics give
// it: "4:07", minutes and seconds, the seconds begun not counted.
std::string time_text(std::chrono::milliseconds time);

// What the status line says of a posed puzzle: its level and difficulty as
// the Solve command rates its givens ("Medium, difficulty 1"), or that they
// have no solution.
std::string level_text(const Rating& rating);

inline constexpr const char* kPausedText = "Paused";

// The accessible description of every cell, by grid index: whose digit it
// shows (see digit_owner), where the digit repeats, whether Check found
// it wrong, its notes while they show, and whether a hint or the step shown
// points at it; for example "your digit, repeats the 5 in row 3 and 3x3
// box 1", "notes 3 7, the hint's cell" or "the solver's digit, the step
// shown, a guess".
std::array<std::string, View::kCells> cell_descriptions(const View& view);

}  // namespace quorlen
