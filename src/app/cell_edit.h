// One grid cell: a one-line text box that also understands the grid keys,
// and draws the cell's notes and marks over itself.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <optional>

class QContextMenuEvent;
class QPainter;
class QRectF;

#include "app/cell_keys.h"
#include "app/window_design.h"
#include "ui/step_picture.h"

namespace quorlen {

class CellEdit : public QLineEdit {
  Q_OBJECT

 public:
  CellEdit(int index, QWidget* parent);

  // What the view says of the cell beyond its text: its notes (shown while
  // it has no digit), its marks (CellMark bits) and whether digits write notes.
  void show_play(std::uint16_t notes, std::uint8_t marks, bool notes_mode);
  // A step's picture of the cell over what show_play gave it (its
  // candidates come as the notes), or none: the cell as the play shows it.
  void show_picture(const std::optional<CellPicture>& picture);
  const std::optional<CellPicture>& picture() const { return picture_; }
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
  void draw_candidate(QPainter& painter, const QRectF& place, int digit, const CellPicture& step) const;

  int index_;
  std::uint16_t notes_ = 0;
  std::uint8_t marks_ = 0;
  std::optional<CellPicture> picture_;
  bool notes_mode_ = false;
  design::Scale scale_;
};

}  // namespace quorlen
