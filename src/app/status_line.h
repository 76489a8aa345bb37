// The status line under the board: the posed puzzle's level, its rating
// and hardest technique (once worked out), the time played
// and "Paused". Each part has an accessible name that says what it
// is ("Time played: 4:07"), so that a screen reader reads it whole.
#pragma once

#include <QStatusBar>

class QLabel;

namespace quorlen {

class Sudoku;

class StatusLine : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent);

  // What `sudoku` says now; cheap when nothing changed, so the clock's
  // second can call it as often as it likes.
  void show_status(const Sudoku& sudoku);

  QLabel* level() const { return level_; }
  QLabel* practice() const { return practice_; }
  QLabel* time() const { return time_; }
  QLabel* paused() const { return paused_; }

 private:
  QLabel* level_ = nullptr;
  QLabel* practice_ = nullptr;  // the rating and technique of a puzzle posed to practise
  QLabel* time_ = nullptr;
  QLabel* paused_ = nullptr;
};

}  // namespace quorlen
