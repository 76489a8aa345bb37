// The texts the Solve command shows: its message box and its two captions;
// and the sentences that explain its placements.
#pragma once

#include <cstdint>
#include <string>

#include "board/board.h"
#include "solver/placement.h"
#include "ui/step_telling.h"

namespace quorlen {

inline constexpr const char* kSolved = "Sudoku Solved";
inline constexpr const char* kNotSolvable = "The sudoku is not solvable";
inline constexpr const char* kCannotComplete = "The sudoku is not solvable (can't be completed).";
inline constexpr const char* kUnableToWrite = "Unable to write to the file.";

// The failure text of a validation, for example
// "   Validation failed for row 4 - The number 2 is getting repeated   4  76".
std::string validation_text(const Repetition& repetition);

// Label1 for a solved puzzle: "Difficulty     : N (Level)".
std::string difficulty_caption(std::int32_t difficulty);

// Label4 once guessing has run: "Yes  " and the number of guesses.
std::string guessed_caption(std::int32_t guesses);

// A unit as the program's messages name it: "column 5", "row 3", "3x3 box 4"
// (boxes numbered down the columns of boxes: box 2 is the middle-left one);
// empty for a number outside 1..27.
const std::string& unit_name(int unit);

// The word of a reason: "cell", "unit", "guess" or "search".
const char* reason_word(Reason reason);

// "Row R, column C" for the cell at grid index `index` (0..80).
void append_cell_name(std::string& out, int index);

// The sentence for a person that explains a placement, naming the cell, the
// digit and the units, for example "Row 3, column 5: 7 is the only digit left
// once the digits of row 3 and column 5 are struck", as `telling` tells it
// on its grid: it also says where a run went wrong ("..., and column 1 now
// holds 8 twice") and marks the steps after that ("(Built on the wrong
// guess) Row 4, ...").
std::string step_sentence(const Placement& placement, const Telling& telling);
void append_step_sentence(std::string& out, const Placement& placement, const Telling& telling);

}  // namespace quorlen
