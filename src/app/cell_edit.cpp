#include "app/cell_edit.h"

#include <QKeyEvent>

namespace quorlen {

CellEdit::CellEdit(int index, QWidget* parent) : QLineEdit(parent), index_(index) {}

void CellEdit::keyPressEvent(QKeyEvent* event) {
  const CellIntent wanted = translate_cell_key(event->key(), event->modifiers(), event->text());
  switch (wanted.action) {
    case CellAction::pass_on:
      QLineEdit::keyPressEvent(event);
      return;
    case CellAction::replace:
      selectAll();
      QLineEdit::keyPressEvent(event);
      return;
    default:
      event->accept();
      emit intent(index_, wanted);
      return;
  }
}

void CellEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  selectAll();
}

void CellEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  selectAll();
}

}  // namespace quorlen
