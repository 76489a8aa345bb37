#include "app/cell_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <memory>

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

void CellEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu());
  // Qt 6.4 names none of the menu's actions: Paste is found by its text,
  // translated as the menu translates it, before any shortcut shown.
  for (QAction* action : menu->actions()) {
    if (action->text().section(QLatin1Char('\t'), 0, 0) != QLineEdit::tr("&Paste")) continue;
    action->disconnect();
    connect(action, &QAction::triggered, this, [this] { emit intent(index_, {CellAction::paste_grid}); });
  }
  menu->addSeparator();
  emit extending_menu(menu.get());
  menu->exec(event->globalPos());
}

}  // namespace quorlen
