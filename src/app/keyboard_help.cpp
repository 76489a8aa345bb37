#include "app/keyboard_help.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quorlen {
namespace {

struct KeyRow {
  const char* keys;
  const char* what;
};

// The grid's and the Steps view's own keys, which no menu entry shows.
constexpr KeyRow kCellKeys[] = {
    {"1 to 9", "In a cell: enters the digit (in notes mode, the note)"},
    {"Alt+1 to Alt+9", "In a cell: puts that note in it or takes it away"},
    {"0, ., Space, Delete, Backspace",
     "In a cell: empties it; in a cell already empty, takes its notes away"},
    {"Arrow keys", "Move to the neighbouring cell"},
    {"Home, End", "The first, the last cell of the row"},
    {"Ctrl+Home, Ctrl+End", "The top-left, the bottom-right cell"},
    {"Tab, Shift+Tab", "The next, the previous control; in the grid, cell by cell along the rows"},
    {"Ctrl+X, Shift+Delete", "In a cell: cuts its digit"},
    {"Menu key, Shift+F10", "The menu, over the cell that has the focus"},
    {"Up, Down", "In the Steps view: the step before, the step after"},
    {"Right, Left", "In the Steps view, by hand: opens, folds a run of singles"},
    {"Alt+S, Alt+R", "In the Steps view: the chooser of steps; by hand, the puzzle's rating"},
    {"Escape", "In the Steps view: closes it, and the grid is as it was"},
};

// "&Fill in notes" -> "Fill in notes"; "Pr&int…" -> "Print…".
QString plain(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

}  // namespace

KeyboardHelp::KeyboardHelp(const std::vector<Entry>& entries, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("keyboard"));
  setWindowTitle(QStringLiteral("Keyboard"));
  table_ = new QTableWidget(0, 2, this);
  table_->setAccessibleName(QStringLiteral("Keys"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Keys"), QStringLiteral("What they do")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  const auto add = [this](const QString& keys, const QString& what) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, 0, new QTableWidgetItem(keys));
    table_->setItem(row, 1, new QTableWidgetItem(what));
  };
  for (const KeyRow& row : kCellKeys) add(QString::fromUtf8(row.keys), QString::fromUtf8(row.what));
  for (const Entry& entry : entries) {
    QStringList keys;
    for (const QKeySequence& key : entry.action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
    const QString what = entry.submenu.isEmpty()
                             ? plain(entry.action->text())
                             : plain(entry.submenu) + QStringLiteral(": ") + plain(entry.action->text());
    if (!keys.isEmpty()) add(keys.join(QStringLiteral(", ")), what);
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  const int width = table_->horizontalHeader()->length() + 2 * table_->frameWidth() + 40;
  resize(std::max(width, 560), 520);
}

}  // namespace quorlen
