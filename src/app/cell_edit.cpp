#include "app/cell_edit.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "app/window_design.h"
#include "view/view.h"

namespace quorlen {
namespace {

// What screen readers see of a cell. Qt's own interface for a line edit
// calls it editable whatever its state, and a locked cell must not be
// announced so. The text is the cell's digit; it offers no way to edit it
// but the keys, which go through the window logic.
class CellAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit CellAccessible(QLineEdit* cell) : QAccessibleWidget(cell, QAccessible::EditableText) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = cell()->isEnabled() && !cell()->isReadOnly();
    state.readOnly = !state.editable;
    state.selectableText = true;
    return state;
  }
  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Value ? cell()->text() : QAccessibleWidget::text(kind);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  void selection(int, int* start, int* end) const override {
    *start = cell()->hasSelectedText() ? cell()->selectionStart() : 0;
    *end = cell()->hasSelectedText() ? cell()->selectionEnd() : 0;
  }
  int selectionCount() const override { return cell()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { cell()->deselect(); }
  void setSelection(int, int start, int end) override { cell()->setSelection(start, end - start); }
  int cursorPosition() const override { return cell()->cursorPosition(); }
  void setCursorPosition(int position) override { cell()->setCursorPosition(position); }
  QString text(int start, int end) const override { return cell()->text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(cell()->text().size()); }
  QRect characterRect(int) const override { return rect(); }  // at most one digit, in the middle
  int offsetAtPoint(const QPoint&) const override { return 0; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  QLineEdit* cell() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* cell_accessible(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(CellEdit::staticMetaObject.className())) return nullptr;
  return new CellAccessible(static_cast<QLineEdit*>(object));
}

}  // namespace

CellEdit::CellEdit(int index, QWidget* parent) : QLineEdit(parent), index_(index) {
  static const bool installed = (QAccessible::installFactory(cell_accessible), true);
  (void)installed;
}

void CellEdit::show_play(std::uint16_t notes, std::uint8_t marks, bool notes_mode) {
  notes_mode_ = notes_mode;
  // The cursor of an empty cell stands in its middle, which would run it
  // through the notes: while they show, it stands at the left edge instead.
  const Qt::Alignment at =
      notes != 0 && text().isEmpty() ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
  if (alignment() != at) setAlignment(at);
  if (notes == notes_ && marks == marks_) return;
  notes_ = notes;
  marks_ = marks;
  update();
}

void CellEdit::show_picture(const std::optional<CellPicture>& picture) {
  if (picture == picture_) return;
  picture_ = picture;
  update();
}

// A key that one of the window's actions takes (Ctrl+E, Check, is also the
// text box's end of line) goes to the window, unless the cell has a use
// for it itself. A disabled action passes the key back to the cell: P
// pauses a puzzle that can be paused, and elsewhere empties the cell as
// other letters do.
bool CellEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const CellAction action =
        translate_cell_key(key->key(), key->modifiers(), key->text(), notes_mode_).action;
    const QKeySequence pressed(key->keyCombination());
    if (action == CellAction::pass_on || action == CellAction::replace) {
      for (const QAction* window_action : window()->actions()) {
        if (window_action->shortcuts().contains(pressed)) {
          event->ignore();
          return true;
        }
      }
    }
  }
  return QLineEdit::event(event);
}

void CellEdit::keyPressEvent(QKeyEvent* event) {
  const CellIntent wanted = translate_cell_key(event->key(), event->modifiers(), event->text(), notes_mode_);
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
  emit selected(index_);
  selectAll();
}

void CellEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  update();  // the focus frame goes
}

void CellEdit::set_scale(const design::Scale& scale) {
  if (scale == scale_) return;
  scale_ = scale;
  update();
}

void CellEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  selectAll();
}

void CellEdit::contextMenuEvent(QContextMenuEvent* event) {
  setFocus(Qt::MouseFocusReason);  // the menu's Paste goes into this cell when no puzzle is on the clipboard
  emit menu_requested(event);
}

// A note, or a candidate of a step's picture: on a disc in the pattern,
// struck through where the step strikes it.
void CellEdit::draw_candidate(QPainter& painter, const QRectF& place, int digit,
                              const CellPicture& step) const {
  const std::uint16_t bit = static_cast<std::uint16_t>(1u << digit);
  const double radius = std::min(place.width(), place.height()) / 2 - scale_.length(0.5);
  QColor ink = design::note_colour();
  painter.setPen(Qt::NoPen);
  if (step.pattern & bit) {
    painter.setBrush(design::pattern_disc());
    painter.drawEllipse(place.center(), radius, radius);
  }
  if (step.struck & bit) ink = design::struck_colour();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(ink);
  painter.drawText(place, Qt::AlignCenter, QString::number(digit));
  if (step.struck & bit) {
    painter.setPen(QPen(ink, scale_.length(1.5)));
    const QPointF middle = place.center();
    const QPointF reach(radius * 0.8, radius * 0.8);
    painter.drawLine(middle - QPointF(reach.x(), -reach.y()), middle + QPointF(reach.x(), -reach.y()));
  }
}

// Notes sit in the cell's 3x3 positions, 1 at the top left, while the cell
// shows no digit (a digit a step places stands in their place); marks go
// over whatever it shows, and over the focus frame.
void CellEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  const bool notes_shown = notes_ != 0 && text().isEmpty();  // a step's candidates too
  if (!notes_shown && marks_ == 0 && !hasFocus() && !picture_) return;
  QPainter painter(this);
  const design::Scale& s = scale_;
  // The right and lower edges lie under the neighbouring cells.
  const QRectF shown = QRectF(rect()).adjusted(0, 0, -s.length(1), -s.length(1));
  if (hasFocus()) {
    const double half = s.px(design::kFocusFrame) / 2.0;
    QPen frame(design::focus_colour(), s.px(design::kFocusFrame));
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    painter.drawRect(shown.adjusted(half, half, -half, -half));
  }
  if (picture_ && picture_->placed != 0) {
    painter.setFont(s.font(design::cell_font()));
    painter.setPen(design::placed_colour());
    painter.drawText(QRectF(rect()), Qt::AlignCenter, QString::number(picture_->placed));
  } else if (notes_shown) {
    const QRectF inside = QRectF(rect()).adjusted(s.length(3), s.length(2), -s.length(3), -s.length(2));
    painter.setFont(s.font(design::note_font()));
    const QSizeF slot(inside.width() / 3, inside.height() / 3);
    const CellPicture none;
    const CellPicture& step = picture_ ? *picture_ : none;
    for (int digit = 1; digit <= 9; ++digit) {
      if ((notes_ >> digit & 1) == 0) continue;
      const QRectF place(QPointF(inside.left() + (digit - 1) % 3 * slot.width(),
                                 inside.top() + (digit - 1) / 3 * slot.height()),
                         slot);
      draw_candidate(painter, place, digit, step);
    }
  }
  if (picture_ && picture_->marked) {
    const int width = s.px(design::kPatternFrame);
    QPen frame(design::pointer_colour(), width);
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    const double in = s.length(1) + width / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(in, in, -in - s.length(1), -in - s.length(1)));
  }
  if (marks_ & kMarkRepeat) {
    const int width = s.px(design::kRepeatFrame);
    QPen frame(design::mark_colour(), width);
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    const double half = width / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(s.length(1) + half, s.length(1) + half, -s.length(2) - half,
                                             -s.length(2) - half));
  }
  if (marks_ & kMarkWrong) {
    const QRectF bar = design::wrong_bar(rect(), s);
    painter.fillRect(bar, design::mark_colour());
  }
  if (marks_ & (kMarkHint | kMarkStep)) {
    const int width = s.px(design::kPointerFrame);
    QPen frame(design::pointer_colour(), width, marks_ & kMarkGuess ? Qt::DashLine : Qt::SolidLine);
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    // Around the digit, inside a repeat's frame; in an empty cell along its
    // edge, clear of the notes.
    const double in = s.length(text().isEmpty() ? 1 : design::kPointerInset) + width / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(in, in, -in - s.length(1), -in - s.length(1)));
  }
}

}  // namespace quorlen
