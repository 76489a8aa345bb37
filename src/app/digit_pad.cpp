#include "app/digit_pad.h"

#include <QAction>
#include <QPushButton>

#include "app/widget_look.h"

namespace quorlen {
namespace {

// In the design's pixels, under the grid's columns: nine digits, then
// Clear and Notes ending where the grid ends.
constexpr int kTop = 5;
constexpr int kButtonHeight = 34;
constexpr int kDigitLeft = 16;
constexpr int kDigitPitch = 60;
constexpr int kDigitWidth = 54;
constexpr int kClearLeft = 574;
constexpr int kNotesLeft = 659;
constexpr int kWordWidth = 78;

QPushButton* make_button(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setFocusPolicy(Qt::NoFocus);
  QPalette palette = button->palette();
  set_text_colour(palette, QPalette::ButtonText, Qt::black);
  button->setPalette(palette);
  return button;
}

}  // namespace

DigitPad::DigitPad(QAction* notes_mode, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pad"));
  setAccessibleName(QStringLiteral("Digit pad"));
  for (int digit = 1; digit <= 9; ++digit) {
    QPushButton* button = make_button(QString::number(digit), QStringLiteral("digit%1").arg(digit), this);
    button->setAccessibleName(QString::number(digit));
    connect(button, &QPushButton::clicked, this, [this, digit] { emit digit_pressed(digit); });
    digits_[digit - 1] = button;
  }
  clear_ = make_button(QStringLiteral("Clear"), QStringLiteral("clear"), this);
  clear_->setAccessibleDescription(
      QStringLiteral("Empties the cell you are at, or takes its notes away when it is empty"));
  connect(clear_, &QPushButton::clicked, this, &DigitPad::clear_pressed);
  notes_ = make_button(QStringLiteral("Notes"), QStringLiteral("notes"), this);
  notes_->setCheckable(true);
  notes_->setAccessibleDescription(QStringLiteral("Notes mode: the digits write notes"));
  // The action keeps the one state; the button shows it (see show_state).
  connect(notes_, &QPushButton::clicked, notes_mode, [notes_mode] { notes_mode->trigger(); });
  show_state(false, false);
  place();
}

void DigitPad::set_scale(const design::Scale& scale) {
  if (scale == scale_) return;
  scale_ = scale;
  place();
}

void DigitPad::place() {
  const QString look = button_style(scale_);
  const auto set = [&](QPushButton* button, int left, int width) {
    button->setGeometry(scale_.rect({left, kTop, width, kButtonHeight}));
    button->setFont(scale_.font(design::button_font()));
    button->setStyleSheet(look);
  };
  for (int i = 0; i < 9; ++i) set(digits_[i], kDigitLeft + i * kDigitPitch, kDigitWidth);
  set(clear_, kClearLeft, kWordWidth);
  set(notes_, kNotesLeft, kWordWidth);
}

void DigitPad::show_state(bool enabled, bool notes_mode) {
  for (QPushButton* button : digits_) button->setEnabled(enabled);
  clear_->setEnabled(enabled);
  notes_->setChecked(notes_mode);
  if (notes_mode == notes_mode_) return;
  notes_mode_ = notes_mode;
  for (int digit = 1; digit <= 9; ++digit) {
    digits_[digit - 1]->setAccessibleDescription(
        notes_mode ? QStringLiteral("Puts the note %1 in the cell you are at, or takes it away").arg(digit)
                   : QStringLiteral("Enters %1 in the cell you are at").arg(digit));
  }
}

QSize DigitPad::sizeHint() const { return {scale_.px(design::kClientWidth), scale_.px(kHeight)}; }

}  // namespace quorlen
