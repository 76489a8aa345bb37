// What every control of the window shows, held in memory without a toolkit.
//
// The window logic changes only this state; the Qt window draws it and the
// command line reads it. Setting a cell's text runs the cell's change
// handler at once, exactly as a text box does when the program sets it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

// One grid cell, Text1(index).
struct CellView {
  std::string text;
  Rgb colour = kBlack;
  bool enabled = true;
  int max_length = 1;  // what typing may enter; 0 means no limit
  friend bool operator==(const CellView&, const CellView&) = default;
};

class View {
 public:
  static constexpr int kCells = 81;

  const CellView& cell(int index) const { return cells_[index]; }
  const std::string& cell_text(int index) const { return cells_[index].text; }

  // Sets the text as the program does (not cut to the maximum length) and
  // runs Text1_Change for the cell before returning.
  void set_cell_text(int index, std::string_view text);
  // The same for the one-character text of a digit, without building a
  // string: the solver's placements go through here.
  void set_cell_digit(int index, int digit);
  void set_cell_colour(int index, Rgb colour) { cells_[index].colour = colour; }
  void set_cell_enabled(int index, bool enabled) { cells_[index].enabled = enabled; }
  void set_cell_max_length(int index, int length) { cells_[index].max_length = length; }

  // Typing by the user: ignored by a disabled cell, cut to the maximum
  // length, then the change handler runs. Returns false when ignored.
  bool type_into_cell(int index, std::string_view text);

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

  friend bool operator==(const View&, const View&) = default;

 private:
  std::array<CellView, kCells> cells_{};
};

// The change handler of a grid cell: a text that does not begin with a
// digit 1..9 is emptied.
void Text1_Change(View& view, int index);

// The digit a cell text stands for: its first character when that is
// '1'..'9', else 0 (an empty cell). Cell entry keeps no other texts.
int cell_digit(std::string_view text);

// The digits the grid shows, by grid index.
DigitGrid shown_digits(const View& view);

// Every cell empty, black and of maximum length 1; enabled or locked.
void clear_grid(View& view, bool cells_enabled);

}  // namespace quorlen
