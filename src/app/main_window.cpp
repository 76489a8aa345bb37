#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "app/board_area.h"
#include "app/cell_edit.h"
#include "app/design_area.h"
#include "app/digit_pad.h"
#include "app/hint_panel.h"
#include "app/practice_window.h"
#include "app/side_panel.h"
#include "app/status_line.h"
#include "app/widget_look.h"
#include "app/window_design.h"
#include "game/game_file.h"
#include "game/puzzle_text.h"
#include "ui/play_texts.h"

namespace quorlen {

MainWindow::MainWindow(PlatformHooks hooks, QWidget* parent)
    : QMainWindow(parent), platform_(this, std::move(hooks), [this] { sync(); }), sudoku_(platform_) {
  setObjectName(QStringLiteral("Sudoku"));
  setWindowTitle(QString::fromLatin1(design::kCaption));
  setAcceptDrops(true);

  build_menu_actions();
  print_actions_ = new PrintActions(this, sudoku_, platform_);
  design_ = new DesignArea(this);
  pad_ = new DigitPad(menu_actions_.notes_mode, this);
  side_ = new SidePanel(this);
  hint_panel_ = new HintPanel(menu_actions_.hint, menu_actions_.apply_hint, menu_actions_.close_hint, side_);
  side_->add_part(hint_panel_);
  board_ = new BoardArea(design_, pad_, side_, this);
  setCentralWidget(board_);
  connect(side_, &SidePanel::shown_changed, this, &MainWindow::fit_side_panel);
  build_menu_bar();
  status_ = new StatusLine(this);
  setStatusBar(status_);
  clock_ = new QTimer(this);
  clock_->setInterval(250);  // the second shown turns over at most a quarter late
  connect(clock_, &QTimer::timeout, this, [this] { status_->show_status(sudoku_); });
  // The posed puzzle's rating is worked out beside the window; the status
  // line looks for it until it comes.
  rating_poll_ = new QTimer(this);
  rating_poll_->setInterval(100);
  connect(rating_poll_, &QTimer::timeout, this, [this] {
    status_->show_status(sudoku_);
    if (!sudoku_.path_working()) rating_poll_->stop();
  });
  autosave_timer_ = new QTimer(this);
  autosave_timer_->setSingleShot(true);
  connect(autosave_timer_, &QTimer::timeout, this, [this] {
    sudoku_.autosave();
    sync();
  });
  connect_design();
  sync();
}

QLineEdit* MainWindow::cell(int index) const { return design_->cell(index); }

void MainWindow::connect_design() {
  for (int index = 0; index < View::kCells; ++index) {
    CellEdit* cell = design_->cell(index);
    // textEdited, not textChanged: only the user's typing runs the handler
    // here; the texts the program sets have run it inside the View already.
    connect(cell, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { cell_edited(index, text); });
    connect(cell, &CellEdit::intent, this, &MainWindow::cell_intent);
    connect(cell, &CellEdit::selected, this, [this](int at) {
      sudoku_.select_cell(at);
      sync();
    });
    connect(cell, &CellEdit::menu_requested, this,
            [this, cell](QContextMenuEvent* event) { show_menu(cell, event); });
  }
  for (std::size_t i = 0; i < design::kButtons.size(); ++i) {
    connect(design_->buttons()[i], &QPushButton::clicked, this,
            [this, handler = design::kButtons[i].click] { run(handler); });
  }
  connect(design_->check2(), &QCheckBox::clicked, this,
          [this](bool checked) { sudoku_.set_save_to_file(checked); });
  connect(design_, &DesignArea::resume_requested, this, [this] { run(&Sudoku::mnuPause_Click); });
  connect(pad_, &DigitPad::digit_pressed, this, &MainWindow::pad_entry);
  connect(pad_, &DigitPad::clear_pressed, this, [this] { pad_entry(0); });
}

void MainWindow::run(void (Sudoku::*handler)()) {
  (sudoku_.*handler)();
  sync();
}

void MainWindow::cell_edited(int index, const QString& text) {
  sudoku_.type_into_cell(index, text.toStdString());
  sync();
}

void MainWindow::cell_intent(int index, CellIntent intent) {
  switch (intent.action) {
    case CellAction::clear:
      sudoku_.clear_cell(index);
      sync();
      break;
    case CellAction::move: {
      QLineEdit* target = design_->cell(move_target(index, intent.move));
      if (target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
      break;
    }
    case CellAction::paste_grid:
      paste_clipboard();
      break;
    case CellAction::copy_grid:
      QApplication::clipboard()->setText(copy_puzzle());
      break;
    case CellAction::toggle_note:
      sudoku_.toggle_note(index, intent.digit);
      sync();
      break;
    case CellAction::undo:
      run(&Sudoku::mnuUndo_Click);
      break;
    case CellAction::redo:
      run(&Sudoku::mnuRedo_Click);
      break;
    case CellAction::pass_on:
    case CellAction::replace:
      break;
  }
}

void MainWindow::pad_entry(int digit) {
  const int index = sudoku_.view().selected;
  if (index < 0) return;
  if (digit == 0) {
    sudoku_.clear_cell(index);
  } else if (sudoku_.view().options.notes_mode) {
    sudoku_.toggle_note(index, digit);
  } else {
    sudoku_.type_into_cell(index, std::string(1, static_cast<char>('0' + digit)));
  }
  sync();
  // The cell keeps the focus, its digit selected, so that a key typed next
  // replaces it as after a click.
  CellEdit* cell = design_->cell(index);
  if (cell->isEnabled() && cell->isVisible()) {
    cell->setFocus(Qt::OtherFocusReason);
    cell->selectAll();
  }
}

void MainWindow::paste_clipboard() {
  if (read_text(QApplication::clipboard()->text(), false)) return;
  // Not a whole puzzle: an ordinary paste into the cell that has the focus.
  for (CellEdit* cell : design_->cells()) {
    if (!cell->hasFocus()) continue;
    cell->selectAll();
    cell->paste();
  }
}

void MainWindow::sync() {
  sync_steps_picture();
  sync_hint();
  const View& view = sudoku_.view();
  const auto marks = cell_marks(view);
  const auto descriptions = cell_descriptions(view);
  for (int index = 0; index < View::kCells; ++index) sync_cell(index, marks[index], descriptions[index]);
  for (std::size_t i = 0; i < design::kButtons.size(); ++i)
    design_->buttons()[i]->setEnabled(view.*design::kButtons[i].enabled);
  design_->label1()->setText(QString::fromStdString(view.Label1));
  design_->label4()->setText(QString::fromStdString(view.Label4));
  design_->check2()->setChecked(view.Check2);

  const MenuActions& a = menu_actions_;
  a.undo->setEnabled(sudoku_.can_undo());
  a.redo->setEnabled(sudoku_.can_redo());
  a.pause->setEnabled(sudoku_.can_pause());
  a.pause->setChecked(sudoku_.paused());
  a.notes_mode->setChecked(view.options.notes_mode);
  a.repeats->setChecked(view.options.repeats_shown);
  a.highlighting->setChecked(view.options.highlighting);
  a.protect_givens->setChecked(view.options.protect_givens);
  a.high_contrast->setChecked(view.options.high_contrast);
  a.clock_shown->setChecked(view.options.clock_shown);
  sync_steps();
  // Notes mode changes what the digit keys do, so the title says when it is on.
  const QString title =
      QString::fromLatin1(design::kCaption) + (view.options.notes_mode ? " (notes mode)" : "");
  if (windowTitle() != title) setWindowTitle(title);

  const bool paused = sudoku_.paused();
  design_->show_paused(paused, view.selected);
  const int at = view.selected;
  pad_->show_state(at >= 0 && view.cell(at).enabled && !paused && !sudoku_.steps_open(),
                   view.options.notes_mode);
  sudoku_.work_out_path();
  status_->show_status(sudoku_);
  if (sudoku_.path_working() && !rating_poll_->isActive()) rating_poll_->start();
  const bool ticking = sudoku_.clock_running() && view.options.clock_shown;
  if (ticking != clock_->isActive()) ticking ? clock_->start() : clock_->stop();
  schedule_autosave();

  // A cell that the window logic selects gets the focus.
  if (view.selected != shown_selection_) {
    shown_selection_ = view.selected;
    CellEdit* selected = view.selected >= 0 ? design_->cell(view.selected) : nullptr;
    if (selected != nullptr && selected->isEnabled() && selected->isVisible() && !selected->hasFocus())
      selected->setFocus(Qt::OtherFocusReason);
  }
}

void MainWindow::sync_hint() {
  const HintSession* hint = sudoku_.hint_shown();
  // The Steps view has Escape for itself while it is open.
  menu_actions_.close_hint->setEnabled(hint != nullptr && !sudoku_.steps_open());
  hint_panel_->show_hint(hint);
  if (steps_picture_) return;  // the Steps view's picture stands while the view is open
  std::optional<StepPicture> picture = hint != nullptr ? hint->picture() : std::nullopt;
  if (picture) {
    picture_ = std::move(picture);
    hint_picture_ = true;
  } else if (hint_picture_) {
    picture_.reset();
    hint_picture_ = false;
  }
}

void MainWindow::show_picture(const StepPicture& picture) {
  picture_ = picture;
  hint_picture_ = false;
  sync();
}

void MainWindow::clear_picture() {
  if (!picture_) return;
  picture_.reset();
  sync();
}

void MainWindow::fit_side_panel(bool shown) {
  const design::Scale scale = board_->scale();
  const QRect before = geometry();
  const int frame = frameGeometry().width() - width();
  board_->side_changed();
  // The window's least size follows the board's now, not at the next layout pass.
  layout()->invalidate();
  layout()->activate();
  if (isMaximized() || isFullScreen()) return;
  if (shown) {
    unwidened_ = before;
    // As wide as the panel at the board's scale, within the screen; never
    // narrower than the panel at the design's size needs.
    const QRect room = screen()->availableGeometry();
    const int wider =
        std::max(before.width() + design::kSidePanelWidth,
                 std::min(before.width() + scale.px(design::kSidePanelWidth), room.width() - frame));
    resize(wider, before.height());
    // The window moves left as far as it must to stay on the screen.
    const int over = x() + wider + frame - (room.x() + room.width());
    if (over > 0) move(std::max(room.x(), x() - over), y());
    widened_ = geometry();
    return;
  }
  if (widened_ && widened_->size() == before.size()) {
    resize(unwidened_.size());
    if (widened_->topLeft() == before.topLeft()) move(unwidened_.topLeft() - (geometry().topLeft() - pos()));
  }
  widened_.reset();
}

void MainWindow::sync_cell(int index, std::uint8_t marks, const std::string& description) {
  const View& view = sudoku_.view();
  const CellView& state = view.cell(index);
  CellEdit* cell = design_->cell(index);
  const CellPicture* pictured = picture_ ? &picture_->cells[static_cast<std::size_t>(index)] : nullptr;
  const QString own = QString::fromStdString(state.text);
  const QString text = pictured == nullptr    ? own
                       : pictured->digit != 0 ? QString::number(pictured->digit)
                                              : QString();
  // A text set by the program is never cut, even where it is longer than
  // what typing may enter (QLineEdit would cut it to its maximum length).
  const int max_length = state.max_length > 0 ? state.max_length : 32767;
  // (Setting it sets the text again, which would drop the selection.)
  const int length = std::max(max_length, static_cast<int>(text.size()));
  if (cell->maxLength() != length) cell->setMaxLength(length);
  if (cell->text() != text) cell->setText(text);
  QPalette palette = cell->palette();
  // A digit of the picture that the grid does not show is the solver's.
  const QColor colour =
      design::digit_colour(text == own ? state.colour : kSolverBlue, view.options.high_contrast);
  const QColor box = design::shaded(design::cell_background(index), cell_shade(view, index));
  if (palette.color(QPalette::Text) != colour || palette.color(QPalette::Base) != box) {
    set_colour(palette, QPalette::Text, colour);
    set_colour(palette, QPalette::HighlightedText, colour);
    set_colour(palette, QPalette::Base, box);
    set_colour(palette, QPalette::Highlight, design::selection_shade(box));
    cell->setPalette(palette);
  }
  cell->setEnabled(state.enabled);
  // A step shown is a picture; a protected given stays.
  cell->setReadOnly(sudoku_.steps_open() || sudoku_.given_protected(index));
  cell->show_play(pictured != nullptr ? pictured->candidates : state.notes, marks, view.options.notes_mode);
  cell->show_picture(pictured != nullptr ? std::optional<CellPicture>(*pictured) : std::nullopt);
  std::string told = description;
  if (pictured != nullptr) {
    // The picture's own words; of the grid's, only what it says of the same digit.
    const std::string drawn = picture_description(*pictured);
    if (text.isEmpty() || text != own) told.clear();
    told += (told.empty() || drawn.empty() ? "" : "; ") + drawn;
  }
  const QString said = QString::fromStdString(told);
  if (cell->accessibleDescription() != said) cell->setAccessibleDescription(said);
}

void MainWindow::open_file(const QString& path) {
  sudoku_.open_file(to_path(path));
  sync();
}

void MainWindow::new_puzzle(Level level) {
  sudoku_.mnuNewPuzzle_Click(level);
  sync();
}

void MainWindow::practise() {
  PracticeDialog dialog(this, practice_choice_);
  const int answer = dialog.exec();
  activateWindow();  // the keys come back here, on platforms that leave no window active too
  if (answer != QDialog::Accepted) return;
  practice_choice_ = dialog.choice();
  if (const std::optional<PracticeEntry> entry = practice_bank().pick(practice_choice_, practice_random_)) {
    if (practice_maker_ != nullptr) practice_maker_->cancel();
    sudoku_.pose_practice(*entry);
    sync();
    return;
  }
  if (practice_maker_ == nullptr) practice_maker_ = new PracticeMaker(this);
  practice_maker_->make(practice_choice_, [this](const PracticeEntry& entry) {
    sudoku_.pose_practice(entry);
    sync();
  });
}

PracticeBank& MainWindow::practice_bank() {
  // A bank that cannot be read leaves every choice to the generator.
  if (!practice_bank_) practice_bank_ = PracticeBank::read(practice_bank_file(platform_.program_directory()));
  return *practice_bank_;
}

void MainWindow::when_shown(std::function<void()> action) {
  QWindow* handle = windowHandle();
  if (handle != nullptr && handle->isExposed()) {
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
    return;
  }
  on_shown_.push_back(std::move(action));
  if (handle != nullptr) handle->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The first expose: the desktop has placed the window, so a box opened
  // after it centres over the window.
  if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
    watched->removeEventFilter(this);
    for (auto& action : std::exchange(on_shown_, {}))
      QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
  }
  return QWidget::eventFilter(watched, event);
}

MainWindow::Droppable MainWindow::droppable(const QMimeData* mime) const {
  if (mime == nullptr) return {};
  if (mime->hasUrls()) {
    if (mime->urls().size() != 1 || !mime->urls().front().isLocalFile()) return {};
    const QString path = mime->urls().front().toLocalFile();
    if (path.endsWith(QString::fromLatin1(kGameFileExtension), Qt::CaseInsensitive))
      return {Droppable::game_file, path};
    if (sudoku_.view().cmdLoad && path.endsWith(QStringLiteral(".sud"), Qt::CaseInsensitive))
      return {Droppable::sud_file, path};
    return {};
  }
  // Text goes to the window, never into a cell, where it would bypass the
  // cell's typing rules.
  if (!mime->hasText() || !read_puzzle_text(mime->text().toStdString())) return {};
  return {Droppable::text, mime->text()};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (droppable(event->mimeData()).kind != Droppable::none) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const Droppable dropped = droppable(event->mimeData());
  if (dropped.kind == Droppable::none) return;
  event->acceptProposedAction();
  // After the drop has finished: a message box must not open while the
  // dragging program still waits for the drop's answer.
  QMetaObject::invokeMethod(
      this,
      [this, dropped] {
        if (dropped.kind == Droppable::sud_file) sudoku_.load_file(to_path(dropped.value));
        if (dropped.kind == Droppable::game_file) sudoku_.open_game(to_path(dropped.value));
        if (dropped.kind == Droppable::text) sudoku_.read_text(dropped.value.toStdString());
        sync();
      },
      Qt::QueuedConnection);
}

}  // namespace quorlen
