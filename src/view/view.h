// What every control of the window shows, held in memory without a toolkit.
//
// The window logic draws it from its game; the Qt window shows it and the
// command line reads it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "board/puzzle.h"

namespace quorlen {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGivenColour{255, 100, 100};
inline constexpr Rgb kSolverBlue{0, 0, 255};

// What a cell may be marked with, a set of these bits; each kind is drawn
// in a way of its own, over the digit's colour.
enum CellMark : std::uint8_t {
  kMarkRepeat = 1 << 0,  // its digit repeats in its row, column or box (see cell_marks)
  kMarkWrong = 1 << 1,   // Check found that it differs from the solution
  kMarkHint = 1 << 2,    // the cell a hint names, until the next change to the grid
  kMarkStep = 1 << 3,    // the cell of the Solve's step that the grid shows
  kMarkGuess = 1 << 4,   // with kMarkStep: that step was a guess
};

// Whose digit a cell shows: a given while the cell shows its given; the
// person's where typing or a paste put it, or a file loaded it; the
// solver's where Solve placed it. Not always what its colour says: a given
// typed over keeps the givens' colour, and a digit typed after Restart
// where Solve had placed one keeps the solver's blue, as the design has it.
enum class DigitOwner : std::uint8_t { none, given, person, solver };

// One grid cell, Text1(index).
struct CellView {
  std::string text;
  Rgb colour = kBlack;
  bool enabled = true;
  int max_length = 1;       // what typing may enter; 0 means no limit
  std::uint16_t notes = 0;  // the person's pencil marks, bit d for digit d; shown while the cell is empty
  std::uint8_t marks = 0;   // CellMark bits set by a command
  DigitOwner owner = DigitOwner::none;
  friend bool operator==(const CellView&, const CellView&) = default;
};

// The play options a person sets; the window remembers them from one run to
// the next.
struct PlayOptions {
  bool repeats_shown = true;    // cells whose digit repeats in a unit are marked
  bool highlighting = false;    // the selected cell's units and its digit are shaded
  bool notes_mode = false;      // the digit keys write notes
  bool protect_givens = false;  // a puzzle the person freezes keeps its givens as Quorlen's own do
  bool high_contrast = false;   // the digits in darker colours, at least 4.5:1 against any cell
  bool clock_shown = true;      // the status line shows the time played
  friend bool operator==(const PlayOptions&, const PlayOptions&) = default;
};

class View {
 public:
  static constexpr int kCells = 81;

  const CellView& cell(int index) const { return cells_[index]; }
  const std::string& cell_text(int index) const { return cells_[index].text; }

  void set_cell(int index, CellView cell) { cells_[index] = std::move(cell); }
  void set_cell_marks(int index, std::uint8_t marks) { cells_[index].marks = marks; }

  // Buttons; cmdNew is always enabled.
  bool cmdNew = true;
  bool cmdLoad = false;
  bool cmdSave = false;
  bool cmdFreeze = false;
  bool cmdRestart = false;
  bool CmdSolve = false;

  std::string Label1;   // the difficulty of the last puzzle solved
  std::string Label4;   // "Guessed?": "No", or "Yes  " and the number of guesses
  bool Check2 = false;  // "Save to File": log the Solve's placements

  PlayOptions options;
  int selected = -1;  // the grid index of the cell the person is at, or -1

  friend bool operator==(const View&, const View&) = default;

 private:
  std::array<CellView, kCells> cells_{};
};

// The digit a cell text stands for: its first character when that is
// '1'..'9', else 0 (an empty cell). Cell entry keeps no other texts: the
// change handler of a cell, Text1_Change, empties a text that does not
// begin with a digit 1..9.
int cell_digit(std::string_view text);

// The digits the grid shows, by grid index.
DigitGrid shown_digits(const View& view);

// The marks each cell shows, by grid index: its own, and kMarkRepeat where
// its digit repeats in a unit while repeats are shown. Repeats follow from
// the digits, so they are worked out here when needed rather than kept.
std::array<std::uint8_t, View::kCells> cell_marks(const View& view);

// How a cell is shaded while highlighting is on: it shares a unit with the
// selected cell (or is that cell), or shows the selected cell's digit.
enum class Shade { none, unit, digit };
Shade cell_shade(const View& view, int index);

}  // namespace quorlen
