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
class SidePanel;

class BoardArea : public QWidget {
  Q_OBJECT

 public:
  BoardArea(DesignArea* design, DigitPad* pad, SidePanel* side, QWidget* parent);

  const design::Scale& scale() const { return scale_; }

  // The design and the pad at their own size, and the side panel beside
  // them while it shows.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // The side panel showed or hid: the board's least size follows it, so
  // that the window cannot shrink over a cell, and the parts are placed again.
  void side_changed();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The design, the pad and the panel placed at the largest scale that fits.
  void place();

  DesignArea* design_;
  DigitPad* pad_;
  SidePanel* side_;
  design::Scale scale_;
};

}  // namespace quorlen
