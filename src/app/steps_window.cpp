#include "app/steps_window.h"

#include <QAbstractListModel>
#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPalette>
#include <QScreen>

#include "app/window_design.h"
#include "ui/steps_browser.h"

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

StepsWindow::StepsWindow(QWidget* main_window) : QWidget(main_window, Qt::Tool) {
  setObjectName(QStringLiteral("Steps"));
  setWindowTitle(QStringLiteral("Steps of the Solve"));
  resize(design::kStepsWidth, main_window->height());

  attempts_ = new QComboBox(this);
  attempts_->setObjectName(QStringLiteral("attempts"));
  auto* attempts_label = new QLabel(QStringLiteral("&Attempt:"), this);
  attempts_label->setBuddy(attempts_);
  attempts_->setAccessibleName(QStringLiteral("Attempt"));

  model_ = new StepsModel(this);
  list_ = new StepsList(this);
  list_->setObjectName(QStringLiteral("steps"));
  list_->setAccessibleName(QStringLiteral("Steps"));
  list_->setModel(model_);
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setTextElideMode(Qt::ElideRight);

  sentence_ = new QLabel(this);
  sentence_->setObjectName(QStringLiteral("sentence"));
  sentence_->setWordWrap(true);
  sentence_->setTextFormat(Qt::PlainText);
  sentence_->setMinimumHeight(2 * sentence_->fontMetrics().lineSpacing());
  sentence_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* keys = new QLabel(
      QStringLiteral("The grid shows each step as it stood right after it. Up and Down step; Escape closes."),
      this);
  keys->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(attempts_label);
  top->addWidget(attempts_, 1);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
  layout->addWidget(sentence_);
  layout->addWidget(keys);

  auto* close_key = new QAction(this);
  close_key->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(close_key, &QAction::triggered, this, &QWidget::close);
  addAction(close_key);

  connect(attempts_, &QComboBox::currentIndexChanged, this, [this](int group) {
    if (!updating_ && group >= 0) emit chosen(static_cast<std::size_t>(group), 0);
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (!updating_ && current.isValid()) emit chosen(group_, static_cast<std::size_t>(current.row()));
          });
}

void StepsWindow::show_steps(const StepsBrowser& browser) {
  updating_ = true;
  if (shown_ != &browser) {
    attempts_->clear();
    for (std::size_t g = 0; g < browser.groups().size(); ++g)
      attempts_->addItem(QString::fromStdString(browser.caption(g)));
  }
  if (shown_ != &browser || group_ != browser.group()) {
    group_ = browser.group();
    model_->show(&browser);
    attempts_->setCurrentIndex(static_cast<int>(group_));
  }
  shown_ = &browser;
  const QModelIndex current = model_->index(static_cast<int>(browser.step()));
  if (list_->currentIndex() != current) {
    list_->setCurrentIndex(current);
    list_->scrollTo(current);
  }
  const QString line = QString::fromStdString(browser.line(browser.step()));
  if (sentence_->text() != line) sentence_->setText(line);
  updating_ = false;
  if (isVisible()) return;
  place();
  show();
  raise();
  activateWindow();
  list_->setFocus(Qt::OtherFocusReason);
}

void StepsWindow::hide_steps() {
  if (shown_ == nullptr && !isVisible()) return;
  updating_ = true;
  shown_ = nullptr;
  model_->show(nullptr);
  attempts_->clear();
  updating_ = false;
  if (!isVisible()) return;
  const bool active = isActiveWindow();
  hide();
  if (active) parentWidget()->activateWindow();
}

void StepsWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

void StepsWindow::place() {
  const QWidget* main = parentWidget();
  const QRect frame = main->frameGeometry();
  const QRect screen = main->screen()->availableGeometry();
  const int width = this->width() + frame.width() - main->width();  // with a frame like the main window's
  int x = frame.right() + 1;
  if (x + width > screen.right() + 1)
    x = frame.left() - width >= screen.left() ? frame.left() - width : screen.right() + 1 - width;
  move(x, frame.top());
}

}  // namespace quorlen
