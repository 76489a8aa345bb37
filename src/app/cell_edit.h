// One grid cell: a one-line text box that also understands the grid keys.
#pragma once

#include <QLineEdit>

class QMenu;

#include "app/cell_keys.h"

namespace quorlen {

class CellEdit : public QLineEdit {
  Q_OBJECT

 public:
  CellEdit(int index, QWidget* parent);

 signals:
  // A key that acts beyond this cell's text: moving, clearing or the clipboard.
  void intent(int index, quorlen::CellIntent intent);
  // The cell's menu is about to open: the window adds its own entries.
  void extending_menu(QMenu* menu);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // Whichever way the cell gets focus, its digit is selected so that the
  // next digit typed replaces it.
  void focusInEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // The menu's Paste does what Ctrl+V does; the window's entries follow
  // the text box's own.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int index_;
};

}  // namespace quorlen
