#include "app/status_line.h"

#include <QLabel>

#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

QLabel* make_part(const char* name, QWidget* parent) {
  auto* part = new QLabel(parent);
  part->setObjectName(QLatin1String(name));
  part->setTextFormat(Qt::PlainText);
  part->setContentsMargins(4, 0, 4, 0);
  return part;
}

// The text and the name a screen reader reads: "`what`: `text`".
void show_part(QLabel* part, const QString& what, const QString& text) {
  part->setVisible(!text.isEmpty());
  if (part->text() == text) return;
  part->setText(text);
  part->setAccessibleName(what.isEmpty() ? text : what + QStringLiteral(": ") + text);
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("status"));
  setSizeGripEnabled(false);  // the window's own edges resize it
  level_ = make_part("level", this);
  practice_ = make_part("practice", this);
  paused_ = make_part("paused", this);
  time_ = make_part("time", this);
  addWidget(level_);
  addWidget(practice_);
  addPermanentWidget(paused_);
  addPermanentWidget(time_);
}

void StatusLine::show_status(const Sudoku& sudoku) {
  const bool posed = sudoku.puzzle_posed();
  show_part(level_, QStringLiteral("Level"),
            posed ? QString::fromStdString(level_text(sudoku.posed_rating())) : QString());
  show_part(practice_, {}, QString::fromStdString(sudoku.rating_caption()));
  const bool timed = posed && sudoku.view().options.clock_shown;
  show_part(time_, QStringLiteral("Time played"),
            timed ? QString::fromStdString(time_text(sudoku.time_played())) : QString());
  show_part(paused_, {}, sudoku.paused() ? QString::fromLatin1(kPausedText) : QString());
}

}  // namespace quorlen
