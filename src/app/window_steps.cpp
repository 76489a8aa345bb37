// The Steps view in the side panel beside the grid, and the picture of the
// step by hand chosen, drawn on the grid while it shows.
#include <QApplication>
#include <QTimer>

#include "app/main_window.h"
#include "app/side_panel.h"
#include "app/steps_window.h"
#include "ui/step_picture.h"

namespace quorlen {

void MainWindow::sync_steps_picture() {
  if (const PathBrowser* path = sudoku_.path_shown(); path != nullptr) {
    picture_ = picture_of(path->before(), path->shown(), true, true);
    steps_picture_ = true;
    hint_picture_ = false;
  } else if (steps_picture_) {
    picture_.reset();
    steps_picture_ = false;
  }
}

void MainWindow::sync_steps() {
  const bool open = sudoku_.steps_open();
  menu_actions_.steps->setChecked(open);
  if (!open) {
    if (steps_window_ == nullptr || steps_window_->isHidden()) return;
    const bool focused = steps_window_->isAncestorOf(QApplication::focusWidget());
    steps_window_->hide_steps();
    if (focused && focus_before_steps_ != nullptr && focus_before_steps_->isEnabled())
      focus_before_steps_->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (steps_window_ == nullptr) {
    steps_window_ = new StepsWindow(side_);
    steps_window_->hide();
    side_->add_part(steps_window_, 1);
    connect(steps_window_, &StepsWindow::chosen, this, [this](std::size_t group, std::size_t step) {
      sudoku_.choose_step(group, step);
      sync();
    });
    connect(steps_window_, &StepsWindow::path_chosen, this, [this] {
      sudoku_.show_path();
      sync();
    });
    connect(steps_window_, &StepsWindow::path_step_chosen, this, [this](std::size_t row, int step) {
      sudoku_.choose_path(row, step < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(step)));
      sync();
    });
    connect(steps_window_, &StepsWindow::closed, this, [this] {
      sudoku_.close_steps();
      sync();
    });
    // Often enough that a path of a few tenths of a second shows without a
    // visible wait; the count of steps so far moves on at each look.
    path_timer_ = new QTimer(this);
    path_timer_->setSingleShot(true);
    path_timer_->setInterval(50);
    connect(path_timer_, &QTimer::timeout, this, [this] {
      sudoku_.poll_path();
      sync();
    });
  }
  if (steps_window_->isHidden()) focus_before_steps_ = QApplication::focusWidget();
  steps_window_->show_steps(sudoku_);
  if (sudoku_.path_pending() && !path_timer_->isActive()) path_timer_->start();
}

}  // namespace quorlen
