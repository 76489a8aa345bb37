// The window's games: what outlasts the window (the last game kept as it is
// played, the statistics, the play options), Continue and Open game as the
// menu and the command line start them, and puzzles read from text.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

#include "app/main_window.h"
#include "app/settings.h"
#include "app/statistics_window.h"

namespace quorlen {

void MainWindow::type_puzzle(const DigitGrid& digits) {
  sudoku_.paste_puzzle(digits);
  sync();
}

bool MainWindow::read_text(const QString& text, bool say_why) {
  std::string why;
  const bool read = sudoku_.read_text(text.toStdString(), &why);
  if (!read && say_why) platform_.message_box(why);
  sync();
  return read;
}

QString MainWindow::copy_puzzle() const { return QString::fromStdString(sudoku_.copy_puzzle()); }

void MainWindow::keep_between_runs(const KeptFiles& files) {
  keeping_ = true;
  sudoku_.keep_games(files);
  sudoku_.set_play_options(load_play_options());
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { sudoku_.autosave(); });
  sync();
}

void MainWindow::continue_game() { run(&Sudoku::mnuContinue_Click); }

void MainWindow::open_game(const QString& path) {
  sudoku_.open_game(to_path(path));
  sync();
}

void MainWindow::schedule_autosave() {
  const std::optional<std::chrono::milliseconds> due = keeping_ ? sudoku_.autosave_in() : std::nullopt;
  if (!due) return autosave_timer_->stop();
  if (!autosave_timer_->isActive() || autosave_timer_->remainingTimeAsDuration() > *due)
    autosave_timer_->start(*due);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (keeping_) sudoku_.autosave();
  QMainWindow::closeEvent(event);
}

void MainWindow::show_statistics() {
  const FileResult<Statistics> statistics = sudoku_.statistics();
  if (!statistics) {
    platform_.message_box(statistics.error().message);
    return;
  }
  StatisticsWindow window(statistics.value(), this);
  window.exec();
}

}  // namespace quorlen
