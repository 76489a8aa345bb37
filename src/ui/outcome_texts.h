// The texts the Solve command shows: its message box and its two captions.
#pragma once

#include <cstdint>
#include <string>

#include "board/board.h"

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

}  // namespace quorlen
