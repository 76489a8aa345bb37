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
#include <QShortcut>
#include <QWindow>

#include "app/cell_edit.h"
#include "app/puzzle_text.h"
#include "app/window_design.h"
#include "board/units.h"

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

  build_menu_actions();
  print_actions_ = new PrintActions(this, sudoku_.view(), platform_);
  build_cells();
  build_buttons();
  build_labels();
  set_tab_order();

  // Ctrl+C and Ctrl+V work on the grid wherever the focus is; a cell that has
  // the focus handles them itself (see CellEdit).
  connect(new QShortcut(QKeySequence(QKeySequence::Paste), this), &QShortcut::activated, this,
          [this] { paste_puzzle(QApplication::clipboard()->text()); });
  connect(new QShortcut(QKeySequence(QKeySequence::Copy), this), &QShortcut::activated, this,
          [this] { QApplication::clipboard()->setText(copy_puzzle()); });

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
    // digit keeps its colour (given, typed or placed) while selected.
    set_colour(palette, QPalette::Highlight, box.darker(125));
    cell->setPalette(palette);
    // textEdited, not textChanged: only the user's typing runs the handler
    // here; the texts the program sets have run it inside the View already.
    connect(cell, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { cell_edited(index, text); });
    connect(cell, &CellEdit::intent, this, &MainWindow::cell_intent);
    connect(cell, &CellEdit::extending_menu, this, &MainWindow::add_menu_entries);
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
  connect(check2_, &QCheckBox::clicked, this, [this](bool checked) { sudoku_.view().Check2 = checked; });

  make_label(this, "Label3", design::kLabel3, QString::fromLatin1(design::kLabel3Caption));
  label4_ = make_label(this, "Label4", design::kLabel4, {});

  QLabel* label2 = make_label(this, "Label2", design::kLabel2, QString::fromLatin1(design::kLabel2Caption));
  label2->setFont(design::label_font());
  QPalette palette = label2->palette();
  set_colour(palette, QPalette::WindowText, design::legend_colour());
  label2->setPalette(palette);
}

void MainWindow::build_menu_actions() {
  static constexpr const char* kLevelEntries[kLevelCount] = {"&Easy", "&Medium", "&Difficult",
                                                             "&Very Difficult"};
  for (int i = 0; i < kLevelCount; ++i) {
    auto* action = new QAction(QString::fromLatin1(kLevelEntries[i]), this);
    action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
    connect(action, &QAction::triggered, this, [this, level = static_cast<Level>(i)] { new_puzzle(level); });
    menu_actions_[i] = action;
  }
  auto* count = new QAction(QStringLiteral("Count &solutions"), this);
  count->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(count, &QAction::triggered, this, [this] { run(&Sudoku::mnuCountSolutions_Click); });
  menu_actions_.back() = count;
  for (QAction* action : menu_actions_) {
    action->setShortcutVisibleInContextMenu(true);
    addAction(action);
  }
}

void MainWindow::add_menu_entries(QMenu* menu) {
  QMenu* levels = menu->addMenu(QStringLiteral("&New puzzle"));
  for (int i = 0; i < kLevelCount; ++i) levels->addAction(menu_actions_[i]);
  menu->addAction(menu_actions_.back());
  menu->addSeparator();
  menu->addAction(print_actions_->print_action());
  menu->addAction(print_actions_->export_action());
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  add_menu_entries(&menu);
  menu.exec(event->globalPos());
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
      cell_edited(index, {});
      break;
    case CellAction::move: {
      QLineEdit* target = cells_[move_target(index, intent.move)];
      if (target->isEnabled()) target->setFocus(Qt::OtherFocusReason);
      break;
    }
    case CellAction::paste_grid: {
      const QString clipboard = QApplication::clipboard()->text();
      if (!paste_puzzle(clipboard)) {
        // Not a whole puzzle: an ordinary paste into this one cell.
        cells_[index]->selectAll();
        cells_[index]->paste();
      }
      break;
    }
    case CellAction::copy_grid:
      QApplication::clipboard()->setText(copy_puzzle());
      break;
    case CellAction::pass_on:
    case CellAction::replace:
      break;
  }
}

bool MainWindow::paste_puzzle(const QString& text) {
  const auto digits = parse_puzzle_text(text);
  if (!digits) return false;
  for (int index = 0; index < View::kCells; ++index) {
    const char digit = static_cast<char>('0' + (*digits)[index]);
    sudoku_.type_into_cell(index, (*digits)[index] != 0 ? std::string_view(&digit, 1) : std::string_view());
  }
  sync();
  return true;
}

QString MainWindow::copy_puzzle() const {
  return QString::fromStdString(puzzle_string(shown_digits(sudoku_.view())));
}

void MainWindow::sync() {
  for (int index = 0; index < View::kCells; ++index) sync_cell(index);
  const View& view = sudoku_.view();
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setEnabled(view.*design::kButtons[i].enabled);
  label1_->setText(QString::fromStdString(view.Label1));
  label4_->setText(QString::fromStdString(view.Label4));
  check2_->setChecked(view.Check2);
}

void MainWindow::sync_cell(int index) {
  const CellView& state = sudoku_.view().cell(index);
  CellEdit* cell = cells_[index];
  const QString text = QString::fromStdString(state.text);
  // A text set by the program is never cut, even where it is longer than
  // what typing may enter (QLineEdit would cut it to its maximum length).
  const int max_length = state.max_length > 0 ? state.max_length : 32767;
  cell->setMaxLength(std::max(max_length, static_cast<int>(text.size())));
  if (cell->text() != text) cell->setText(text);
  const QColor colour = to_qcolor(state.colour);
  if (cell->palette().color(QPalette::Text) != colour) {
    QPalette palette = cell->palette();
    set_colour(palette, QPalette::Text, colour);
    set_colour(palette, QPalette::HighlightedText, colour);
    cell->setPalette(palette);
  }
  cell->setEnabled(state.enabled);
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

QString MainWindow::droppable_file(const QMimeData* mime) const {
  if (!sudoku_.view().cmdLoad || mime == nullptr || mime->urls().size() != 1) return {};
  const QUrl url = mime->urls().front();
  if (!url.isLocalFile() || !url.path().endsWith(QStringLiteral(".sud"), Qt::CaseInsensitive)) return {};
  return url.toLocalFile();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppable_file(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = droppable_file(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop has finished: Load's message box must not open while the
  // dragging program still waits for the drop's answer.
  QMetaObject::invokeMethod(
      this,
      [this, path] {
        sudoku_.load_file(to_path(path));
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
