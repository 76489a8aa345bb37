// The area beside the design's client area where the hint and the Steps
// view show: a column of parts, each shown and hidden by its owner. The
// panel shows while any of its parts does and hides when the last one
// hides; the board makes room for it and the window widens to keep every
// cell in view (see BoardArea and MainWindow).
#pragma once

#include <QWidget>

class QVBoxLayout;

namespace quorlen {

class SidePanel : public QWidget {
  Q_OBJECT

 public:
  explicit SidePanel(QWidget* parent);

  // `part` joins the column, below the parts added before, hidden; it
  // takes a share of the height left over by its `stretch`, as in a
  // QBoxLayout. Shown or hidden by its owner, it shows or hides the panel.
  void add_part(QWidget* part, int stretch = 0);

 signals:
  // The panel showed, or hid.
  void shown_changed(bool shown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void update_shown();

  QVBoxLayout* column_ = nullptr;
};

}  // namespace quorlen
