// One grid cell: a one-line text box that also understands the grid keys,
// and draws the cell's notes and marks over itself.
#pragma once

#include <QLineEdit>
#include <cstdint>

class QContextMenuEvent;

#include "app/cell_keys.h"
#include "app/window_design.h"

namespace quorlen {

class CellEdit : public QLineEdit {
  Q_OBJECT

 public:
  CellEdit(int index, QWidget* parent);

  // What the view says of the cell beyond its text: its notes (shown while
  // it has no digit), its marks (CellMark bits) and whether digits write notes.
  void show_play(std::uint16_t notes, std::uint8_t marks, bool notes_mode);
  // The notes and marks drawn at the design's scale.
  void set_scale(const design::Scale& scale);

 signals:
  // A key that acts beyond this cell's text: moving, clearing, notes, the
  // clipboard, undo.
  void intent(int index, quorlen::CellIntent intent);
  // The cell has the focus: it is the cell the person is at.
  void selected(int index);
  // A right-click or the menu key: the window opens its menu over the cell.
  void menu_requested(QContextMenuEvent* event);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Whichever way the cell gets focus, its digit is selected so that the
  // next digit typed replaces it.
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // The window's menu, not the text box's: its Undo, Redo, Copy and Paste
  // are the window's, for the whole puzzle.
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int index_;
  std::uint16_t notes_ = 0;
  std::uint8_t marks_ = 0;
  bool notes_mode_ = false;
  design::Scale scale_;
};

}  // namespace quorlen
