// Keys pressed in a grid cell, turned into what the user means by them.
//
// The cells keep their digits as text boxes do; on top of that the grid
// behaves like a grid: arrows move between cells, a digit replaces the one
// shown (or writes a note), and the clipboard and undo keys work on the
// whole puzzle. The translation
// needs no widget: CellEdit asks for it and acts on the answer.
#pragma once

#include <QString>
#include <Qt>

namespace quorlen {

enum class CellMove { left, right, up, down, row_start, row_end, grid_start, grid_end };

enum class CellAction {
  pass_on,      // let the text box handle the key as usual
  replace,      // select the cell's text first, so the typed character replaces it
  clear,        // empty the cell, as typing a character the cell rejects would
  move,         // focus another cell
  paste_grid,   // fill the grid from the clipboard, if it holds a puzzle
  copy_grid,    // put the whole grid on the clipboard
  toggle_note,  // a note of the cell on or off
  undo,         // the window's undo and redo: the text box's own never act
  redo,
};

struct CellIntent {
  CellAction action = CellAction::pass_on;
  CellMove move = CellMove::left;  // for CellAction::move
  int digit = 0;                   // for CellAction::toggle_note
  friend bool operator==(const CellIntent&, const CellIntent&) = default;
};

// In notes mode the digit keys write notes; Alt and a digit always does.
CellIntent translate_cell_key(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              bool notes_mode = false);

// The grid index (0..80, down the columns) that a move from `index` reaches;
// moves stop at the edges of the grid.
int move_target(int index, CellMove move);

}  // namespace quorlen
