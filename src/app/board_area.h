// The board: the design's area with the digit pad under it, drawn at one
// scale, the largest that fits, never below the design's own size. This is
// the one place that decides the scale: a panel beside the grid joins the
// natural size here and takes the same scale.
#pragma once

#include <QWidget>

#include "app/window_design.h"

namespace quorlen {

class DesignArea;
class DigitPad;

class BoardArea : public QWidget {
  Q_OBJECT

 public:
  BoardArea(DesignArea* design, DigitPad* pad, QWidget* parent);

  const design::Scale& scale() const { return scale_; }

  // The design and the pad at their own size.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  DesignArea* design_;
  DigitPad* pad_;
  design::Scale scale_;
};

}  // namespace quorlen
