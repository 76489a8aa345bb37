// The window `Sudoku`: builds the controls of the design, shows the window
// logic's view state and forwards clicks and typing to its handlers.
//
// All state lives in Sudoku and its View; the widgets are only a picture of
// it. After every handler, and before any modal box, sync() brings every
// widget up to date. Handlers change the View, never a widget.
#pragma once

#include <QWidget>
#include <array>

#include "app/cell_keys.h"
#include "app/qt_platform.h"
#include "ui/sudoku.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;

namespace quorlen {

class CellEdit;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(PlatformHooks hooks = {}, QWidget* parent = nullptr);

  Sudoku& sudoku() { return sudoku_; }
  QLineEdit* cell(int index) const;

  // Fills the enabled cells from a puzzle string as if each were typed;
  // false (and no change) when the text is not a puzzle.
  bool paste_puzzle(const QString& text);
  QString copy_puzzle() const;

  // Brings every widget up to date with the View.
  void sync();

  // New, then Load of `path`: a file given to the program when it starts.
  void open_file(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // A ".sud" file dropped on the window is loaded, as Load of it would;
  // anything else is refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void build_cells();
  void build_buttons();
  void build_labels();
  void set_tab_order();
  void run(void (Sudoku::*handler)());
  void cell_edited(int index, const QString& text);
  void cell_intent(int index, CellIntent intent);
  void sync_cell(int index);
  // The local ".sud" file a drag carries, when Load could take it now.
  QString droppable_file(const QMimeData* mime) const;

  QtPlatform platform_;
  Sudoku sudoku_;
  std::array<CellEdit*, View::kCells> cells_{};
  std::array<QPushButton*, 6> buttons_{};  // as design::kButtons lists them
  QLabel* label1_ = nullptr;
  QLabel* label4_ = nullptr;
  QCheckBox* check2_ = nullptr;
};

}  // namespace quorlen
