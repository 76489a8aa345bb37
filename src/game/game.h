// A game: everything the window shows of one puzzle being played, in one
// plain value. The handlers change it, the grid and buttons are drawn from
// it, the history keeps a copy of it per step, and a game file holds it.
//
// Two grids live side by side here, as they always did in the program: the
// digits each cell shows (with who put them there), and the solver's board,
// whose digits change only through Freeze, Load, Restart and Solve. Typing
// changes what a cell shows, not the board, so that a second Solve runs from
// the board the first one left.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "board/board.h"
#include "board/puzzle.h"
#include "view/view.h"

namespace quorlen {

// The colour a cell's text is drawn in. The design gives it by what last
// put a digit there, and a cell keeps it when its digit goes: a cell that
// Solve once filled shows a digit typed there later in blue.
enum class CellInk : std::uint8_t { black, given, solver };

struct GameCell {
  std::uint8_t digit = 0;  // 1..9, or 0 for an empty cell
  DigitOwner owner = DigitOwner::none;
  CellInk ink = CellInk::black;
  std::uint16_t notes = 0;  // the person's pencil marks, bit d for digit d
  bool wrong = false;       // Check found that the digit differs from the solution
  friend bool operator==(const GameCell&, const GameCell&) = default;
};

// Which controls take input: the cells (from New on) and the buttons but
// New, which always does.
struct Controls {
  bool cells = false;
  bool load = false;
  bool save = false;
  bool freeze = false;
  bool restart = false;
  bool solve = false;
  friend bool operator==(const Controls&, const Controls&) = default;
};

// The default is the window as it opens: every cell locked and empty, only
// New to press, the board as the window load leaves it.
struct Game {
  std::array<GameCell, 81> cells{};  // by grid index
  Board board = cleared_board();
  Controls controls;
  std::string label1;  // the difficulty of the last puzzle solved
  std::string label4;  // "Guessed?": "No", or "Yes  " and the number of guesses

  // The puzzle being played, from the moment it is posed (Freeze, a new
  // puzzle, a puzzle read from text) until New or Load.
  std::uint64_t puzzle = 0;        // a number drawn when it was posed; 0 while none is
  int level = -1;                  // its level 0..3 (Easy..Very Difficult), or -1 when not known
  bool givens_protected = false;   // Quorlen posed it, so its givens are not the person's to change
  std::int64_t played_ms = 0;      // time played on it (see Sudoku::time_played for the clock)
  bool helped = false;             // a hint or Solve was used on it
  bool solved_by_command = false;  // Solve filled the grid, until undo takes that Solve back
  bool finished = false;           // solved by the person, or posed whole: nothing left to solve

  friend bool operator==(const Game&, const Game&) = default;

  static Board cleared_board() {
    Board board;
    clear_board(board);
    return board;
  }
};

// The digits the cells show, and the givens, by grid index.
DigitGrid shown_digits(const Game& game);
DigitGrid givens_of(const Board& board);

// Notes: the digit taken out of the notes of the row, column and box of
// the cell at `index` (a digit placed there); every empty cell that takes
// typing given the digits its row, column and box allow; every note gone.
void strike_notes(Game& game, int index, int digit);
void fill_in_notes(Game& game);
void clear_notes(Game& game);

}  // namespace quorlen
