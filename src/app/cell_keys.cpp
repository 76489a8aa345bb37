#include "app/cell_keys.h"

#include <QKeySequence>
#include <QList>
#include <algorithm>

#include "board/units.h"

namespace quorlen {
namespace {

bool is_standard_key(QKeySequence::StandardKey standard, int key, Qt::KeyboardModifiers modifiers) {
  const QKeySequence pressed(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
  const auto bindings = QKeySequence::keyBindings(standard);
  return std::find(bindings.begin(), bindings.end(), pressed) != bindings.end();
}

CellIntent moving(CellMove move) { return {CellAction::move, move}; }

}  // namespace

CellIntent translate_cell_key(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              bool notes_mode) {
  // Keys on the number pad mean the same as their twins on the main block.
  modifiers &= ~Qt::KeypadModifier;
  if (is_standard_key(QKeySequence::Paste, key, modifiers)) return {CellAction::paste_grid};
  if (is_standard_key(QKeySequence::Copy, key, modifiers)) return {CellAction::copy_grid};
  if (is_standard_key(QKeySequence::Undo, key, modifiers)) return {CellAction::undo};
  if (is_standard_key(QKeySequence::Redo, key, modifiers) ||
      (key == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
      (key == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)))
    return {CellAction::redo};
  // By the text too, as typing goes: on some layouts (AZERTY) a digit
  // takes Shift, and so Alt and a digit takes Alt and Shift.
  const int typed_digit =
      text.size() == 1 && text.front() >= u'1' && text.front() <= u'9' ? text.front().digitValue() : 0;
  if (modifiers == Qt::AltModifier || modifiers == (Qt::AltModifier | Qt::ShiftModifier)) {
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
      return {CellAction::toggle_note, CellMove::left, key - Qt::Key_0};
    if (typed_digit != 0) return {CellAction::toggle_note, CellMove::left, typed_digit};
  }
  const bool command_key = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (notes_mode && !command_key && typed_digit != 0)
    return {CellAction::toggle_note, CellMove::left, typed_digit};

  if (modifiers == Qt::NoModifier) {
    switch (key) {
      case Qt::Key_Left:
        return moving(CellMove::left);
      case Qt::Key_Right:
        return moving(CellMove::right);
      case Qt::Key_Up:
        return moving(CellMove::up);
      case Qt::Key_Down:
        return moving(CellMove::down);
      case Qt::Key_Home:
        return moving(CellMove::row_start);
      case Qt::Key_End:
        return moving(CellMove::row_end);
      case Qt::Key_Delete:
      case Qt::Key_Backspace:
      case Qt::Key_Space:
        return {CellAction::clear};
      default:
        break;
    }
  }
  if (modifiers == Qt::ControlModifier) {
    if (key == Qt::Key_Home) return moving(CellMove::grid_start);
    if (key == Qt::Key_End) return moving(CellMove::grid_end);
  }
  if (text == QLatin1String("0") || text == QLatin1String(".")) return {CellAction::clear};
  if (!command_key && text.size() == 1 && text.front().isPrint()) return {CellAction::replace};
  return {};
}

int move_target(int index, CellMove move) {
  int row = index % 9;
  int col = index / 9;
  switch (move) {
    case CellMove::left:
      col = std::max(col - 1, 0);
      break;
    case CellMove::right:
      col = std::min(col + 1, 8);
      break;
    case CellMove::up:
      row = std::max(row - 1, 0);
      break;
    case CellMove::down:
      row = std::min(row + 1, 8);
      break;
    case CellMove::row_start:
      col = 0;
      break;
    case CellMove::row_end:
      col = 8;
      break;
    case CellMove::grid_start:
      row = col = 0;
      break;
    case CellMove::grid_end:
      row = col = 8;
      break;
  }
  return grid_index(row, col);
}

}  // namespace quorlen
