// The Steps view, in the side panel beside the grid: a chooser above the
// steps of a Solve (its attempts) and the person's path, the list of the
// steps chosen, the chosen step's sentence in full below, and the person's
// path's rating on request. It shows what the window logic holds and
// forwards the person's choices; closing it closes the steps, and the grid
// shows what it showed before.
#pragma once

#include <QWidget>
#include <cstddef>

class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QStackedWidget;
class QTreeView;

namespace quorlen {

class PathBrowser;
class PathModel;
class StepsBrowser;
class StepsModel;
class Sudoku;

class StepsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit StepsWindow(QWidget* parent);

  // Shows the open Steps view of `sudoku`: its chooser, the list chosen
  // and the step chosen, focusing the list when the view was hidden.
  // Cheap when nothing changed.
  void show_steps(const Sudoku& sudoku);
  // Hides the view, without asking to close the steps: they are closed.
  void hide_steps();

  QComboBox* attempts() const { return attempts_; }
  QListView* list() const { return list_; }  // the Solve's steps
  QTreeView* path() const { return path_; }  // the person's path, runs of singles folded
  QPushButton* rating_button() const { return rating_button_; }
  QLabel* rating() const { return rating_; }

 signals:
  void chosen(std::size_t group, std::size_t step);
  void path_chosen();
  // A row of the path, or with `step` >= 0 one single of a folded row.
  void path_step_chosen(std::size_t row, int step);
  void closed();

 private:
  void show_chooser(const Sudoku& sudoku);
  void show_solve_steps(const StepsBrowser& browser);
  void show_path(const Sudoku& sudoku);
  void show_sentence(const QString& line);

  StepsModel* model_ = nullptr;
  PathModel* path_model_ = nullptr;
  QComboBox* attempts_ = nullptr;
  QStackedWidget* lists_ = nullptr;
  QListView* list_ = nullptr;
  QTreeView* path_ = nullptr;
  QLabel* sentence_ = nullptr;
  QPushButton* rating_button_ = nullptr;
  QLabel* rating_ = nullptr;
  QLabel* keys_ = nullptr;
  const StepsBrowser* shown_ = nullptr;      // what the list shows, while open
  const PathBrowser* shown_path_ = nullptr;  // what the path's tree shows, while open
  std::size_t group_ = 0;
  bool updating_ = false;  // the widgets are being set to the window logic's choice
};

}  // namespace quorlen
