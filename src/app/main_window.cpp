#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "app/cell_edit.h"
#include "app/settings.h"
#include "app/steps_window.h"
#include "app/window_design.h"
#include "board/units.h"
#include "game/game_file.h"
#include "game/puzzle_text.h"
#include "ui/play_texts.h"

namespace quorlen {
namespace {

QColor to_qcolor(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

void set_colour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, role, colour);
  }
}

// Text colours leave the disabled look to the style, so a disabled control
// still reads as disabled.
void set_text_colour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
}

// A flat face in the design's colour with a raised edge (sunken while
// pressed, framed dark while focused), as buttons of that colour were drawn;
// styles that shade the face from the palette would lighten it.
QString button_style() {
  const QColor face = design::button_face();
  return QStringLiteral(
             "QPushButton { background-color: %1; border: 2px solid;"
             " border-color: %2 %3 %3 %2; }"
             "QPushButton:pressed { border-color: %3 %2 %2 %3; }"
             "QPushButton:focus { border-color: %4; }"
             "QPushButton:disabled { color: %5; }")
      .arg(face.name(), face.lighter(125).name(), face.darker(160).name(), face.darker(250).name(),
           QColor(128, 128, 128).name());
}

QLabel* make_label(QWidget* parent, const char* name, const QRect& rect, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(rect);
  label->setTextFormat(Qt::PlainText);  // captions keep their runs of blanks
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setAutoFillBackground(true);
  return label;
}

}  // namespace

MainWindow::MainWindow(PlatformHooks hooks, QWidget* parent)
    : QWidget(parent), platform_(this, std::move(hooks), [this] { sync(); }), sudoku_(platform_) {
  setObjectName(QStringLiteral("Sudoku"));
  setWindowTitle(QString::fromLatin1(design::kCaption));
  setFixedSize(design::kClientWidth, design::kClientHeight);
  // A window of fixed size offers nothing to maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setAcceptDrops(true);
  setFont(design::default_font());
  // Every colour the design relies on is set, so that a dark desktop theme
  // cannot put light text on the light background.
  QPalette palette = this->palette();
  set_colour(palette, QPalette::Window, design::background());
  set_text_colour(palette, QPalette::WindowText, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);

  autosave_timer_ = new QTimer(this);
  autosave_timer_->setSingleShot(true);
  connect(autosave_timer_, &QTimer::timeout, this, [this] {
    sudoku_.autosave();
    sync();
  });
  build_menu_actions();
  print_actions_ = new PrintActions(this, sudoku_, platform_);
  build_cells();
  build_buttons();
  build_labels();
  set_tab_order();
  sync();
}

QLineEdit* MainWindow::cell(int index) const { return cells_[index]; }

void MainWindow::build_cells() {
  for (int index = 0; index < View::kCells; ++index) {
    auto* cell = new CellEdit(index, this);
    cell->setObjectName(QStringLiteral("Text1_%1").arg(index));
    cell->setAccessibleName(QStringLiteral("row %1, column %2").arg(index % 9 + 1).arg(index / 9 + 1));
    cell->setGeometry(design::cell_rect(index));
    cell->setFont(design::cell_font());
    cell->setAlignment(Qt::AlignCenter);
    QPalette palette = cell->palette();
    const QColor box = design::cell_background(index);
    set_colour(palette, QPalette::Base, box);
    // The selection that focus brings is a darker shade of the box, so the
    // digit keeps its colour (given, typed or placed) while selected (see
    // sync_cell, which shades the box for highlighting).
    set_colour(palette, QPalette::Highlight, box.darker(125));
    cell->setPalette(palette);
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
    // A drop anywhere on the grid goes to the window, which loads files and
    // ignores text: dropped text would bypass the cell's typing rules.
    cell->setAcceptDrops(false);
    cells_[index] = cell;
  }
}

void MainWindow::build_buttons() {
  for (std::size_t i = 0; i < design::kButtons.size(); ++i) {
    const design::ButtonDesign& look = design::kButtons[i];
    auto* button = new QPushButton(QString::fromLatin1(look.caption), this);
    button->setObjectName(QLatin1String(look.name));
    button->setGeometry(look.rect);
    button->setFont(design::button_font());
    QPalette palette = button->palette();
    set_text_colour(palette, QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
    button->setStyleSheet(button_style());
    button->setAutoDefault(true);  // Enter and Return press a focused button, as Space does
    connect(button, &QPushButton::clicked, this, [this, handler = look.click] { run(handler); });
    buttons_[i] = button;
  }
}

void MainWindow::build_labels() {
  label1_ = make_label(this, "Label1", design::kLabel1, {});
  label1_->setFont(design::label_font());

  // Created after Label1 so that it is drawn above the label's right-hand
  // part, and opaque, so that it covers whatever of the caption lies there.
  check2_ = new QCheckBox(QString::fromLatin1(design::kCheck2Caption), this);
  check2_->setObjectName(QStringLiteral("Check2"));
  check2_->setGeometry(design::kCheck2);
  check2_->setBackgroundRole(QPalette::Window);  // buttons fill with the button face
  check2_->setAutoFillBackground(true);
  connect(check2_, &QCheckBox::clicked, this, [this](bool checked) { sudoku_.set_save_to_file(checked); });

  make_label(this, "Label3", design::kLabel3, QString::fromLatin1(design::kLabel3Caption));
  label4_ = make_label(this, "Label4", design::kLabel4, {});

  QLabel* label2 = make_label(this, "Label2", design::kLabel2, QString::fromLatin1(design::kLabel2Caption));
  label2->setFont(design::label_font());
  QPalette palette = label2->palette();
  set_colour(palette, QPalette::WindowText, design::legend_colour());
  label2->setPalette(palette);
}

QAction* MainWindow::add_action(const char* text, const QList<QKeySequence>& keys,
                                std::function<void()> act) {
  auto* action = new QAction(QString::fromUtf8(text), this);
  action->setShortcuts(keys);
  action->setShortcutVisibleInContextMenu(true);
  connect(action, &QAction::triggered, this, std::move(act));
  addAction(action);
  return action;
}

void MainWindow::build_menu_actions() {
  MenuActions& a = menu_actions_;
  a.undo = add_action("&Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { run(&Sudoku::mnuUndo_Click); });
  a.redo = add_action("&Redo",
                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
                      [this] { run(&Sudoku::mnuRedo_Click); });
  // Ctrl+C and Ctrl+V work on the grid wherever the focus is; a cell that
  // has the focus handles them itself (see CellEdit).
  a.copy = add_action("&Copy", QKeySequence::keyBindings(QKeySequence::Copy),
                      [this] { QApplication::clipboard()->setText(copy_puzzle()); });
  // Ctrl+Shift+C is Count solutions.
  a.copy_progress = add_action("Cop&y with progress", {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)}, [this] {
    QApplication::clipboard()->setText(QString::fromStdString(sudoku_.copy_progress()));
  });
  a.paste =
      add_action("&Paste", QKeySequence::keyBindings(QKeySequence::Paste), [this] { paste_clipboard(); });
  static constexpr const char* kLevelEntries[kLevelCount] = {"&Easy", "&Medium", "&Difficult",
                                                             "&Very Difficult"};
  for (int i = 0; i < kLevelCount; ++i) {
    a.new_puzzle[i] =
        add_action(kLevelEntries[i], {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i))},
                   [this, level = static_cast<Level>(i)] { new_puzzle(level); });
  }
  a.continue_game = add_action("Continue the last ga&me", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
                               [this] { continue_game(); });
  a.open_game = add_action("&Open game\u2026", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
                           [this] { run(&Sudoku::mnuOpenGame_Click); });
  a.save_game = add_action("Save &game\u2026", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                           [this] { run(&Sudoku::mnuSaveGame_Click); });
  a.count = add_action("Count &solutions", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
                       [this] { run(&Sudoku::mnuCountSolutions_Click); });
  a.check =
      add_action("Chec&k", {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { run(&Sudoku::mnuCheck_Click); });
  a.notes_mode =
      add_action("No&tes mode", {QKeySequence(Qt::CTRL | Qt::Key_M)}, [this] { play_options_changed(); });
  a.fill_notes = add_action("&Fill in notes", {}, [this] { run(&Sudoku::mnuFillNotes_Click); });
  a.clear_notes = add_action("C&lear notes", {}, [this] { run(&Sudoku::mnuClearNotes_Click); });
  a.repeats = add_action("Mark repeated &digits", {}, [this] { play_options_changed(); });
  a.highlighting =
      add_action("&Highlight row, column, box and digit", {}, [this] { play_options_changed(); });
  a.hint = add_action("Sho&w a hint", {QKeySequence(Qt::CTRL | Qt::Key_H)},
                      [this] { run(&Sudoku::mnuHint_Click); });
  a.steps = add_action("Steps of the Sol&ve", {QKeySequence(Qt::CTRL | Qt::Key_T)},
                       [this] { run(&Sudoku::mnuSteps_Click); });
  a.statistics = add_action("St&atistics\u2026", {}, [this] { show_statistics(); });
  a.open_menu = add_action("", {QKeySequence(Qt::SHIFT | Qt::Key_F10)}, [this] { open_menu_by_key(); });
  for (QAction* option : {a.notes_mode, a.repeats, a.highlighting, a.steps}) option->setCheckable(true);
}

void MainWindow::add_menu_entries(QMenu* menu) {
  const MenuActions& a = menu_actions_;
  menu->addActions({a.undo, a.redo});
  menu->addSeparator();
  menu->addActions({a.copy, a.copy_progress, a.paste});
  menu->addSeparator();
  QMenu* levels = menu->addMenu(QStringLiteral("&New puzzle"));
  for (QAction* level : a.new_puzzle) levels->addAction(level);
  menu->addActions({a.continue_game, a.open_game, a.save_game});
  menu->addSeparator();
  menu->addActions({a.count, a.check});
  menu->addSeparator();
  menu->addActions({a.hint, a.steps});
  menu->addSeparator();
  menu->addActions({a.notes_mode, a.fill_notes, a.clear_notes});
  menu->addSeparator();
  menu->addActions({a.repeats, a.highlighting});
  menu->addSeparator();
  menu->addAction(a.statistics);
  menu->addSeparator();
  menu->addActions({print_actions_->print_action(), print_actions_->export_action()});
}

void MainWindow::play_options_changed() {
  PlayOptions options;
  options.notes_mode = menu_actions_.notes_mode->isChecked();
  options.repeats_shown = menu_actions_.repeats->isChecked();
  options.highlighting = menu_actions_.highlighting->isChecked();
  sudoku_.set_play_options(options);
  if (keeping_) save_play_options(options);
  sync();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) { show_menu(this, event); }

// A menu opened by the keyboard starts at its first entry, which a screen
// reader then reads out, as it reads each entry the arrows reach.
void MainWindow::show_menu(QWidget* over, QContextMenuEvent* event) {
  QMenu menu(over);
  menu.setAccessibleName(over == this ? QStringLiteral("Menu")
                                      : over->accessibleName() + QStringLiteral(" menu"));
  add_menu_entries(&menu);
  if (event->reason() == QContextMenuEvent::Keyboard)
    QTimer::singleShot(0, &menu, [&menu] {
      for (QAction* entry : menu.actions()) {
        if (entry->isEnabled() && !entry->isSeparator()) return menu.setActiveAction(entry);
      }
    });
  menu.exec(event->globalPos());
}

// As Qt sends the menu key's event: to the focused widget, at its cursor.
// A widget without a menu of its own passes it on to the window.
void MainWindow::open_menu_by_key() {
  QWidget* focused = QApplication::focusWidget();
  QWidget* over = focused != nullptr && isAncestorOf(focused) ? focused : this;
  const QPoint at = over->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
  QContextMenuEvent event(QContextMenuEvent::Keyboard, at, over->mapToGlobal(at));
  QApplication::sendEvent(over, &event);
}

// Tab runs through the buttons, then the grid row by row, then the switch.
void MainWindow::set_tab_order() {
  QWidget* previous = buttons_.front();
  for (QPushButton* button : buttons_) {
    if (button != previous) QWidget::setTabOrder(previous, button);
    previous = button;
  }
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      QWidget* next = cells_[grid_index(row, col)];
      QWidget::setTabOrder(previous, next);
      previous = next;
    }
  }
  QWidget::setTabOrder(previous, check2_);
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
      QLineEdit* target = cells_[move_target(index, intent.move)];
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

void MainWindow::paste_clipboard() {
  if (read_text(QApplication::clipboard()->text(), false)) return;
  // Not a whole puzzle: an ordinary paste into the cell that has the focus.
  for (CellEdit* cell : cells_) {
    if (!cell->hasFocus()) continue;
    cell->selectAll();
    cell->paste();
  }
}

void MainWindow::sync() {
  const View& view = sudoku_.view();
  const auto marks = cell_marks(view);
  const auto descriptions = cell_descriptions(view);
  for (int index = 0; index < View::kCells; ++index) sync_cell(index, marks[index], descriptions[index]);
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setEnabled(view.*design::kButtons[i].enabled);
  label1_->setText(QString::fromStdString(view.Label1));
  label4_->setText(QString::fromStdString(view.Label4));
  check2_->setChecked(view.Check2);

  const MenuActions& a = menu_actions_;
  a.undo->setEnabled(sudoku_.can_undo());
  a.redo->setEnabled(sudoku_.can_redo());
  a.notes_mode->setChecked(view.options.notes_mode);
  a.repeats->setChecked(view.options.repeats_shown);
  a.highlighting->setChecked(view.options.highlighting);
  sync_steps();
  // Notes mode changes what the digit keys do, so the title says when it is on.
  const QString title =
      QString::fromLatin1(design::kCaption) + (view.options.notes_mode ? " (notes mode)" : "");
  if (windowTitle() != title) setWindowTitle(title);
  schedule_autosave();
  // A cell that the window logic selects gets the focus.
  if (view.selected != shown_selection_) {
    shown_selection_ = view.selected;
    CellEdit* selected = view.selected >= 0 ? cells_[view.selected] : nullptr;
    if (selected != nullptr && selected->isEnabled() && !selected->hasFocus())
      selected->setFocus(Qt::OtherFocusReason);
  }
}

void MainWindow::sync_steps() {
  const StepsBrowser* steps = sudoku_.steps_shown();
  menu_actions_.steps->setChecked(steps != nullptr);
  if (steps == nullptr) {
    if (steps_window_ != nullptr) steps_window_->hide_steps();
    return;
  }
  if (steps_window_ == nullptr) {
    steps_window_ = new StepsWindow(this);
    steps_window_->addAction(menu_actions_.steps);  // Ctrl+T closes the steps there too
    connect(steps_window_, &StepsWindow::chosen, this, [this](std::size_t group, std::size_t step) {
      sudoku_.choose_step(group, step);
      sync();
    });
    connect(steps_window_, &StepsWindow::closed, this, [this] {
      sudoku_.close_steps();
      sync();
    });
  }
  steps_window_->show_steps(*steps);
}

void MainWindow::sync_cell(int index, std::uint8_t marks, const std::string& description) {
  const View& view = sudoku_.view();
  const CellView& state = view.cell(index);
  CellEdit* cell = cells_[index];
  const QString text = QString::fromStdString(state.text);
  // A text set by the program is never cut, even where it is longer than
  // what typing may enter (QLineEdit would cut it to its maximum length).
  const int max_length = state.max_length > 0 ? state.max_length : 32767;
  // (Setting it sets the text again, which would drop the selection.)
  const int length = std::max(max_length, static_cast<int>(text.size()));
  if (cell->maxLength() != length) cell->setMaxLength(length);
  if (cell->text() != text) cell->setText(text);
  QPalette palette = cell->palette();
  const QColor colour = to_qcolor(state.colour);
  const QColor box = design::shaded(design::cell_background(index), cell_shade(view, index));
  if (palette.color(QPalette::Text) != colour || palette.color(QPalette::Base) != box) {
    set_colour(palette, QPalette::Text, colour);
    set_colour(palette, QPalette::HighlightedText, colour);
    set_colour(palette, QPalette::Base, box);
    set_colour(palette, QPalette::Highlight, box.darker(125));
    cell->setPalette(palette);
  }
  cell->setEnabled(state.enabled);
  cell->setReadOnly(sudoku_.steps_shown() != nullptr);  // a step shown is a picture
  cell->show_play(state.notes, marks, view.options.notes_mode);
  const QString said = QString::fromStdString(description);
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

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  QPen pen(design::frame_colour());
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::FlatCap);
  for (const design::FrameDesign& frame : design::kFrames) {
    pen.setWidth(frame.border);
    painter.setPen(pen);
    // The outline runs through the middle of the frame's edge pixels.
    painter.drawRect(QRectF(frame.rect).adjusted(0.5, 0.5, -0.5, -0.5));
  }
  pen.setWidth(design::kLine1Border);
  painter.setPen(pen);
  painter.drawLine(QLineF(design::kLine1).translated(0.5, 0));
}

}  // namespace quorlen
