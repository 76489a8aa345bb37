// The Statistics window: per level, the games started and finished, those
// finished without help, the best time of those and the average time.
#pragma once

#include <QDialog>

#include "game/statistics.h"

namespace quorlen {

class StatisticsWindow : public QDialog {
  Q_OBJECT

 public:
  StatisticsWindow(const Statistics& statistics, QWidget* parent);
};

}  // namespace quorlen
