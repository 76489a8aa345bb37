#include "app/board_area.h"

#include <algorithm>

#include "app/design_area.h"
#include "app/digit_pad.h"
#include "app/widget_look.h"

namespace quorlen {

BoardArea::BoardArea(DesignArea* design, DigitPad* pad, QWidget* parent)
    : QWidget(parent), design_(design), pad_(pad) {
  setObjectName(QStringLiteral("board"));
  design_->setParent(this);
  pad_->setParent(this);
  // Around a design scaled up, the design's own background.
  QPalette palette = this->palette();
  set_colour(palette, QPalette::Window, design::background());
  setPalette(palette);
  setAutoFillBackground(true);
  setMinimumSize(sizeHint());
}

QSize BoardArea::sizeHint() const {
  return {design::kClientWidth, design::kClientHeight + DigitPad::kHeight};
}

void BoardArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize natural = sizeHint();
  const double factor = std::max(1.0, std::min(static_cast<double>(width()) / natural.width(),
                                               static_cast<double>(height()) / natural.height()));
  scale_ = {factor};
  design_->set_scale(scale_);
  pad_->set_scale(scale_);
  // Centred, the pad right under the design.
  const QSize whole(scale_.px(natural.width()), scale_.px(natural.height()));
  const QPoint corner((width() - whole.width()) / 2, (height() - whole.height()) / 2);
  const int design_height = scale_.px(design::kClientHeight);
  design_->setGeometry(QRect(corner, QSize(whole.width(), design_height)));
  pad_->setGeometry(corner.x(), corner.y() + design_height, whole.width(), whole.height() - design_height);
}

}  // namespace quorlen
