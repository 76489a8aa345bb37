// The design's client area: the grid of 81 cells, the six buttons, the
// labels, "Save to File" and the drawn frames, each at its place of the
// design, drawn at a Scale (at 1, exactly the design). While the game is
// paused a cover hides the cells and says so.
//
// It only builds and places the controls; the main window connects them to
// the window logic and shows its state on them.
#pragma once

#include <QWidget>
#include <array>

#include "app/window_design.h"
#include "view/view.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace quorlen {

class CellEdit;
class IndicatorStyle;

class DesignArea : public QWidget {
  Q_OBJECT

 public:
  explicit DesignArea(QWidget* parent);

  CellEdit* cell(int index) const { return cells_[index]; }
  const std::array<CellEdit*, View::kCells>& cells() const { return cells_; }
  // As design::kButtons lists them.
  const std::array<QPushButton*, 6>& buttons() const { return buttons_; }
  QLabel* label1() const { return label1_; }
  QLabel* label4() const { return label4_; }
  QCheckBox* check2() const { return check2_; }
  QWidget* pause_cover() const { return cover_; }

  // Every control placed, sized and lettered at `scale`.
  void set_scale(const design::Scale& scale);
  const design::Scale& scale() const { return scale_; }
  // The cells hidden under the cover, which takes the focus from them, or
  // shown again, the focus going back from the cover to the cell at
  // `selected` (a grid index, or -1).
  void show_paused(bool paused, int selected);

  QSize sizeHint() const override;

 signals:
  // A click on the cover, or Space or Return while it has the focus.
  void resume_requested();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void build_cells();
  void build_buttons();
  void build_labels();
  void set_tab_order();
  void place();

  design::Scale scale_;
  std::array<CellEdit*, View::kCells> cells_{};
  std::array<QPushButton*, 6> buttons_{};
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QCheckBox* check2_ = nullptr;
  IndicatorStyle* check2_style_ = nullptr;
  QWidget* cover_ = nullptr;
};

}  // namespace quorlen
