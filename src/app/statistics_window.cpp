#include "app/statistics_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <chrono>

#include "solver/difficulty.h"
#include "ui/play_texts.h"

namespace quorlen {
namespace {

QString time_cell(std::int64_t ms) {
  // An en dash where there is no time yet.
  return ms < 0 ? QStringLiteral("\u2013") : QString::fromStdString(time_text(std::chrono::milliseconds{ms}));
}

}  // namespace

StatisticsWindow::StatisticsWindow(const Statistics& statistics, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Statistics"));
  const QStringList columns{QStringLiteral("Started"), QStringLiteral("Finished"),
                            QStringLiteral("Without help"), QStringLiteral("Best time"),
                            QStringLiteral("Average time")};
  auto* table = new QTableWidget(kLevelCount, static_cast<int>(columns.size()), this);
  table->setObjectName(QStringLiteral("statistics"));
  table->setAccessibleName(QStringLiteral("Statistics by level"));
  table->setHorizontalHeaderLabels(columns);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  for (int level = 0; level < kLevelCount; ++level) {
    const LevelStatistics& s = statistics.levels[static_cast<std::size_t>(level)];
    table->setVerticalHeaderItem(level, new QTableWidgetItem(QString::fromUtf8(
                                            level_name(static_cast<Level>(level)).data(),
                                            static_cast<int>(level_name(static_cast<Level>(level)).size()))));
    const QString cells[] = {QString::number(s.started), QString::number(s.finished),
                             QString::number(s.unaided), time_cell(s.best_ms),
                             time_cell(s.finished > 0 ? s.total_ms / s.finished : -1)};
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(level, column, item);
    }
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table);
  layout->addWidget(buttons);
  // Wide enough for every column, high enough for every level.
  const int width =
      table->verticalHeader()->width() + table->horizontalHeader()->length() + 4 * table->frameWidth();
  const int height =
      table->horizontalHeader()->height() + table->verticalHeader()->length() + 2 * table->frameWidth();
  table->setMinimumSize(width, height);
}

}  // namespace quorlen
