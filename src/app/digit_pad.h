// The digit pad under the grid, for a person with only a mouse: the digits
// 1 to 9, Clear and Notes. A digit goes into the cell the person is at (a
// note in notes mode), Clear empties it, Notes turns notes mode on or off.
// The buttons take no focus, so the cell keeps it and its frame, and the
// keys go on where the mouse left off.
#pragma once

#include <QWidget>
#include <array>

#include "app/window_design.h"

class QAction;
class QPushButton;

namespace quorlen {

class DigitPad : public QWidget {
  Q_OBJECT

 public:
  // Notes is a second face of `notes_mode`, the menu's action.
  DigitPad(QAction* notes_mode, QWidget* parent);

  // Its height under the design, in the design's pixels.
  static constexpr int kHeight = 44;

  QPushButton* digit_button(int digit) const { return digits_[digit - 1]; }
  QPushButton* clear_button() const { return clear_; }
  QPushButton* notes_button() const { return notes_; }

  void set_scale(const design::Scale& scale);
  // Digits and Clear can be pressed while `enabled` (a cell takes entries);
  // what a digit does follows notes mode.
  void show_state(bool enabled, bool notes_mode);

  QSize sizeHint() const override;

 signals:
  void digit_pressed(int digit);
  void clear_pressed();

 private:
  void place();

  design::Scale scale_;
  std::array<QPushButton*, 9> digits_{};
  QPushButton* clear_ = nullptr;
  QPushButton* notes_ = nullptr;
  bool notes_mode_ = true;  // until show_state says otherwise: the descriptions are set once
};

}  // namespace quorlen
