// The steps of a Solve in a tool window beside the grid: a chooser of the
// attempts above the list of their steps, one sentence each, and the
// chosen step's sentence in full below. It shows what the window logic's
// StepsBrowser holds and forwards the person's choices; closing it closes
// the steps, and the grid shows what it showed before.
#pragma once

#include <QWidget>
#include <cstddef>

class QComboBox;
class QLabel;
class QListView;

namespace quorlen {

class StepsBrowser;
class StepsModel;

class StepsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit StepsWindow(QWidget* main_window);

  // Shows `browser`'s chooser, list and chosen step, opening the window
  // beside the main window if it is not open. Cheap when nothing changed.
  void show_steps(const StepsBrowser& browser);
  // Hides the window, without asking to close the steps: they are closed.
  void hide_steps();

  QListView* list() const { return list_; }
  QComboBox* attempts() const { return attempts_; }

 signals:
  void chosen(std::size_t group, std::size_t step);
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Beside the main window, on the side where the screen has room.
  void place();

  StepsModel* model_ = nullptr;
  QComboBox* attempts_ = nullptr;
  QListView* list_ = nullptr;
  QLabel* sentence_ = nullptr;
  const StepsBrowser* shown_ = nullptr;  // what the list shows, while open
  std::size_t group_ = 0;
  bool updating_ = false;  // the list and chooser are being set to the browser's choice
};

}  // namespace quorlen
