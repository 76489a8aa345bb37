#include "app/steps_window.h"

#include <QAbstractListModel>
#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPalette>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>

#include "app/window_design.h"
#include "ui/path_browser.h"
#include "ui/steps_browser.h"
#include "ui/sudoku.h"

namespace quorlen {

// The steps of the group the browser has chosen, made into rows only as the
// list shows them: a Solve may have thousands. A guess is bold on a tint of
// its own, and its sentence and accessible description say that it is one.
// The steps after the one where an attempt went wrong are greyed.
class StepsModel : public QAbstractListModel {
 public:
  explicit StepsModel(QObject* parent) : QAbstractListModel(parent) { bold_.setBold(true); }

  void show(const StepsBrowser* browser) {
    beginResetModel();
    browser_ = browser;
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override {
    if (parent.isValid() || browser_ == nullptr) return 0;
    return static_cast<int>(browser_->groups()[browser_->group()].count);
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (browser_ == nullptr || !index.isValid()) return {};
    const auto step = static_cast<std::size_t>(index.row());
    const Placement& placement = browser_->placement(step);
    const bool guess = placement.why.reason == Reason::guess;
    const Telling& telling = browser_->telling(step);
    switch (role) {
      case Qt::DisplayRole:
      case Qt::ToolTipRole:
        return QString::fromStdString(browser_->line(step));
      case Qt::AccessibleDescriptionRole:
        if (went_wrong(telling)) return QStringLiteral("where the attempt went wrong");
        if (after_wrong(telling)) return QStringLiteral("after the attempt went wrong");
        return guess ? QStringLiteral("a guess") : QStringLiteral("a deduction");
      case Qt::ForegroundRole:
        // Steps built on a wrong grid are greyed; their text says so too.
        return after_wrong(telling) ? QVariant(QPalette().brush(QPalette::Disabled, QPalette::Text))
                                    : QVariant();
      case Qt::FontRole:
        return guess ? QVariant(bold_) : QVariant();
      case Qt::BackgroundRole:
        return guess ? QVariant(design::guess_tint()) : QVariant();
      default:
        return {};
    }
  }

 private:
  const StepsBrowser* browser_ = nullptr;
  QFont bold_;  // only its weight set: the list's own font, made bold
};

// The person's path as a tree: a row a step, a folded run of singles
// opening on its steps. While the path is worked out, one row says so.
class PathModel : public QAbstractItemModel {
 public:
  using QAbstractItemModel::QAbstractItemModel;

  void show(const PathBrowser* browser, const QString& pending) {
    if (browser == browser_ && pending == pending_) return;
    if (browser == nullptr && browser_ == nullptr && !pending_.isEmpty() && !pending.isEmpty()) {
      pending_ = pending;  // the count so far, in place
      emit dataChanged(index(0, 0, {}), index(0, 0, {}));
      return;
    }
    beginResetModel();
    browser_ = browser;
    pending_ = pending;
    endResetModel();
  }

  // The row of the tree that shows a choice of the browser.
  QModelIndex index_of(std::size_t row, std::optional<std::size_t> step) const {
    const QModelIndex top = index(static_cast<int>(row), 0, {});
    return step ? index(static_cast<int>(*step), 0, top) : top;
  }

  // internalId: 0 for a row, the row + 1 for a step of a folded row.
  QModelIndex index(int row, int column, const QModelIndex& parent) const override {
    if (!hasIndex(row, column, parent)) return {};
    return createIndex(row, column, parent.isValid() ? static_cast<quintptr>(parent.row()) + 1 : 0);
  }
  QModelIndex parent(const QModelIndex& child) const override {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr{0});
  }
  int rowCount(const QModelIndex& parent) const override {
    if (browser_ == nullptr) return parent.isValid() || pending_.isEmpty() ? 0 : 1;
    if (!parent.isValid()) return static_cast<int>(browser_->rows().size());
    if (parent.internalId() != 0) return 0;
    const PathRow& row = browser_->rows()[static_cast<std::size_t>(parent.row())];
    return row.singles ? static_cast<int>(row.count) : 0;
  }
  int columnCount(const QModelIndex&) const override { return 1; }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (browser_ == nullptr) return Qt::ItemIsEnabled;
    return QAbstractItemModel::flags(index);
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (browser_ == nullptr) return role == Qt::DisplayRole ? QVariant(pending_) : QVariant();
    const auto row = static_cast<std::size_t>(index.internalId() == 0 ? index.row() : index.internalId() - 1);
    const PathRow& r = browser_->rows()[row];
    const bool folded = index.internalId() == 0 && r.singles;
    switch (role) {
      case Qt::DisplayRole:
      case Qt::ToolTipRole:
        return QString::fromStdString(
            index.internalId() == 0 ? browser_->row_line(row)
                                    : browser_->step_line(r.first + static_cast<std::size_t>(index.row())));
      case Qt::AccessibleDescriptionRole:
        return folded ? QStringLiteral("singles, folded: Right opens them") : QStringLiteral("a step");
      default:
        return {};
    }
  }

 private:
  const PathBrowser* browser_ = nullptr;
  QString pending_;
};

namespace {

// One row a line, as wide as the list: a long sentence is cut short with
// an ellipsis (its tooltip and the label below show it whole). Left and
// Right step back and forth as Up and Down do.
class StepsList : public QListView {
 public:
  using QListView::QListView;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
    if (action == MoveLeft) action = MoveUp;
    if (action == MoveRight) action = MoveDown;
    return QListView::moveCursor(action, modifiers);
  }
  void resizeEvent(QResizeEvent* event) override {
    setGridSize(QSize(viewport()->width(), fontMetrics().height() + 6));
    QListView::resizeEvent(event);
  }
};

}  // namespace

StepsWindow::StepsWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Steps"));
  setAccessibleName(QStringLiteral("Steps"));

  attempts_ = new QComboBox(this);
  attempts_->setObjectName(QStringLiteral("attempts"));
  auto* attempts_label = new QLabel(QStringLiteral("&Show:"), this);
  attempts_label->setBuddy(attempts_);
  attempts_->setAccessibleName(QStringLiteral("Show the steps of"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("close"));
  close->setAccessibleDescription(QStringLiteral("Closes the steps; the grid is as it was"));
  close->setFocusPolicy(Qt::TabFocus);

  model_ = new StepsModel(this);
  list_ = new StepsList(this);
  list_->setObjectName(QStringLiteral("steps"));
  list_->setAccessibleName(QStringLiteral("Steps"));
  list_->setModel(model_);
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setTextElideMode(Qt::ElideRight);

  path_model_ = new PathModel(this);
  path_ = new QTreeView(this);
  path_->setObjectName(QStringLiteral("path"));
  path_->setAccessibleName(QStringLiteral("Steps by hand"));
  path_->setModel(path_model_);
  path_->setHeaderHidden(true);
  path_->setUniformRowHeights(true);
  path_->setSelectionMode(QAbstractItemView::SingleSelection);
  path_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  path_->setTextElideMode(Qt::ElideRight);

  lists_ = new QStackedWidget(this);
  lists_->addWidget(list_);
  lists_->addWidget(path_);

  sentence_ = new QLabel(this);
  sentence_->setObjectName(QStringLiteral("sentence"));
  sentence_->setWordWrap(true);
  sentence_->setTextFormat(Qt::PlainText);
  sentence_->setMinimumHeight(3 * sentence_->fontMetrics().lineSpacing());
  sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  rating_button_ = new QPushButton(QStringLiteral("&Rating"), this);
  rating_button_->setObjectName(QStringLiteral("rating_button"));
  rating_button_->setCheckable(true);
  rating_button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  rating_button_->setAccessibleDescription(QStringLiteral("Shows how hard the puzzle is for a person"));
  rating_ = new QLabel(this);
  rating_->setObjectName(QStringLiteral("rating"));
  rating_->setWordWrap(true);
  rating_->setTextFormat(Qt::PlainText);
  rating_->hide();
  keys_ = new QLabel(this);
  keys_->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* top = new QHBoxLayout;
  top->addWidget(attempts_label);
  top->addWidget(attempts_, 1);
  top->addWidget(close);
  layout->addLayout(top);
  layout->addWidget(lists_, 1);
  layout->addWidget(sentence_);
  auto* rating_row = new QHBoxLayout;
  rating_row->addWidget(rating_button_);
  rating_row->addWidget(rating_, 1);
  layout->addLayout(rating_row);
  layout->addWidget(keys_);

  // Escape closes the steps while the focus is in the view; the grid's
  // cells take no typing while they show, and Ctrl+T closes them anywhere.
  auto* close_key = new QAction(this);
  close_key->setShortcut(QKeySequence(Qt::Key_Escape));
  close_key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(close_key, &QAction::triggered, this, &StepsWindow::closed);
  addAction(close_key);
  connect(close, &QPushButton::clicked, this, &StepsWindow::closed);

  connect(attempts_, &QComboBox::currentIndexChanged, this, [this](int entry) {
    if (updating_ || entry < 0) return;
    if (shown_ == nullptr || static_cast<std::size_t>(entry) >= shown_->groups().size()) {
      emit path_chosen();
    } else {
      emit chosen(static_cast<std::size_t>(entry), 0);
    }
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (!updating_ && current.isValid()) emit chosen(group_, static_cast<std::size_t>(current.row()));
          });
  connect(path_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (updating_ || !current.isValid() || shown_path_ == nullptr) return;
            if (current.internalId() == 0) {
              emit path_step_chosen(static_cast<std::size_t>(current.row()), -1);
            } else {
              emit path_step_chosen(static_cast<std::size_t>(current.internalId() - 1), current.row());
            }
          });
  connect(rating_button_, &QPushButton::toggled, rating_, &QWidget::setVisible);
}

void StepsWindow::show_steps(const Sudoku& sudoku) {
  updating_ = true;
  show_chooser(sudoku);
  if (sudoku.path_chosen()) {
    show_path(sudoku);
  } else {
    show_solve_steps(*sudoku.steps_shown());
  }
  updating_ = false;
  if (!isHidden()) return;
  show();
  lists_->currentWidget()->setFocus(Qt::OtherFocusReason);
}

void StepsWindow::show_chooser(const Sudoku& sudoku) {
  const StepsBrowser* browser = sudoku.steps_shown();
  QStringList entries;
  const std::size_t groups = browser != nullptr ? browser->groups().size() : 0;
  for (std::size_t g = 0; g < groups; ++g) entries << QString::fromStdString(browser->caption(g));
  if (sudoku.path_available()) {
    const PathBrowser* path = sudoku.path_shown();
    if (path != nullptr) {
      const std::size_t steps = path->path().path.steps.size();
      entries << QStringLiteral("By hand: %1 %2").arg(steps).arg(steps == 1 ? "step" : "steps");
    } else {
      entries << QStringLiteral("By hand: being worked out");
    }
  }
  QStringList now;
  for (int i = 0; i < attempts_->count(); ++i) now << attempts_->itemText(i);
  if (now != entries || shown_ != browser) {
    attempts_->clear();
    attempts_->addItems(entries);
    shown_ = browser;
    group_ = static_cast<std::size_t>(-1);  // the list is shown again
  }
  const auto chosen = sudoku.path_chosen() ? groups : browser->group();
  attempts_->setCurrentIndex(static_cast<int>(chosen));
}

void StepsWindow::show_solve_steps(const StepsBrowser& browser) {
  lists_->setCurrentWidget(list_);
  rating_button_->hide();
  rating_->hide();
  keys_->setText(QStringLiteral(
      "The grid shows each step as it stood right after it. Up and Down step; Escape closes."));
  if (group_ != browser.group()) {
    group_ = browser.group();
    model_->show(&browser);
  }
  const QModelIndex current = model_->index(static_cast<int>(browser.step()));
  if (list_->currentIndex() != current) {
    list_->setCurrentIndex(current);
    list_->scrollTo(current);
  }
  show_sentence(QString::fromStdString(browser.line(browser.step())));
}

void StepsWindow::show_path(const Sudoku& sudoku) {
  if (lists_->currentWidget() != path_) {
    lists_->setCurrentWidget(path_);
    if (list_->hasFocus()) path_->setFocus(Qt::OtherFocusReason);
  }
  group_ = static_cast<std::size_t>(-1);
  keys_->setText(
      QStringLiteral("The grid shows every cell's candidates before each step, the step's own in "
                     "colour. Up and Down step, Right opens a run of singles; Escape closes."));
  const PathBrowser* path = sudoku.path_shown();
  rating_button_->show();
  rating_button_->setEnabled(path != nullptr);
  rating_->setVisible(path != nullptr && rating_button_->isChecked());
  if (path == nullptr) {
    shown_path_ = nullptr;
    const std::size_t so_far = sudoku.path_progress();
    path_model_->show(nullptr, QStringLiteral("Still working out the steps by hand: %1 so far…").arg(so_far));
    show_sentence(
        QStringLiteral("The steps by hand are still being worked out; a hard puzzle takes a while."));
    return;
  }
  if (shown_path_ != path) {
    shown_path_ = path;
    path_model_->show(path, {});
    rating_->setText(QString::fromStdString(rating_line(path->rating())));
    rating_->setAccessibleName(QStringLiteral("Rating: ") + rating_->text());
  }
  const QModelIndex current = path_model_->index_of(path->row(), path->step_in_row());
  if (path_->currentIndex() != current) {
    if (path->step_in_row()) path_->expand(current.parent());
    path_->setCurrentIndex(current);
    path_->scrollTo(current);
  }
  show_sentence(QString::fromStdString(path->line()));
}

// The sentence in full, and as the label's name, which a screen reader
// announces as it changes.
void StepsWindow::show_sentence(const QString& line) {
  if (sentence_->text() == line) return;
  sentence_->setText(line);
  sentence_->setAccessibleName(line);
}

void StepsWindow::hide_steps() {
  if (shown_ == nullptr && shown_path_ == nullptr && isHidden()) return;
  updating_ = true;
  shown_ = nullptr;
  shown_path_ = nullptr;
  group_ = static_cast<std::size_t>(-1);
  model_->show(nullptr);
  path_model_->show(nullptr, {});
  attempts_->clear();
  updating_ = false;
  hide();
}

}  // namespace quorlen
