// A step of the person's solver as the grid draws it: every empty cell's
// candidates, the pattern's cells and candidates, what the step strikes and
// what it places. The hint and the Steps view build one and the window
// draws it in place of the notes; the texts a screen reader gives for it
// are composed here too, so that what is drawn and what is said agree.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "logic/grid.h"
#include "logic/step.h"

namespace quorlen {

// One cell of the picture; masks hold bit d for digit d.
struct CellPicture {
  int digit = 0;                 // the digit the cell holds, 0 when empty
  std::uint16_t candidates = 0;  // drawn in an empty cell, in the notes' place
  std::uint16_t pattern = 0;     // those of them that make the step's pattern
  std::uint16_t struck = 0;      // those the step strikes
  int placed = 0;                // the digit the step places here, 0 for none
  bool marked = false;           // the cell belongs to the pattern
  friend bool operator==(const CellPicture&, const CellPicture&) = default;
};

// The whole grid, by grid index (down the columns, as the window's cells
// and the View number them; the person's solver numbers row by row).
struct StepPicture {
  std::array<CellPicture, 81> cells{};
  friend bool operator==(const StepPicture&, const StepPicture&) = default;
};

// The digits and candidates of `grid`, nothing marked.
StepPicture candidates_picture(const logic::Grid& grid);

// `step` drawn on `before`, the grid it was found on: its pattern's cells
// and candidates when `show_pattern`, what it strikes and places when
// `show_result`. With neither it is candidates_picture(before).
StepPicture picture_of(const logic::Grid& before, const logic::Step& step, bool show_pattern,
                       bool show_result);

// What a screen reader says of a cell's picture beyond its digit:
// "candidates 1 4 7; 4 in the pattern; 7 struck", "candidates 3 5; places
// 5", "in the pattern" for a digit of the pattern; empty when it shows
// nothing of its own.
std::string picture_description(const CellPicture& cell);

}  // namespace quorlen
