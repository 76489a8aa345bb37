#include "app/board_area.h"

#include <algorithm>

#include "app/design_area.h"
#include "app/digit_pad.h"
#include "app/side_panel.h"
#include "app/widget_look.h"

namespace quorlen {

BoardArea::BoardArea(DesignArea* design, DigitPad* pad, SidePanel* side, QWidget* parent)
    : QWidget(parent), design_(design), pad_(pad), side_(side) {
  setObjectName(QStringLiteral("board"));
  design_->setParent(this);
  pad_->setParent(this);
  side_->setParent(this);
  side_->hide();
  // Around a design scaled up, the design's own background.
  QPalette palette = this->palette();
  set_colour(palette, QPalette::Window, design::background());
  setPalette(palette);
  setAutoFillBackground(true);
  setMinimumSize(sizeHint());
}

void BoardArea::side_changed() {
  setMinimumSize(sizeHint());
  updateGeometry();
  place();
}

QSize BoardArea::sizeHint() const {
  const int side = side_->isHidden() ? 0 : design::kSidePanelWidth;
  return {design::kClientWidth + side, design::kClientHeight + DigitPad::kHeight};
}

void BoardArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place();
}

void BoardArea::place() {
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
  const int design_width = scale_.px(design::kClientWidth);
  design_->setGeometry(QRect(corner, QSize(design_width, design_height)));
  pad_->setGeometry(corner.x(), corner.y() + design_height, design_width, whole.height() - design_height);
  // The panel beside both, at the same scale.
  side_->setGeometry(corner.x() + design_width, corner.y(), whole.width() - design_width, whole.height());
}

}  // namespace quorlen
