#include "app/side_panel.h"

#include <QBoxLayout>
#include <QEvent>

namespace quorlen {

SidePanel::SidePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("side"));
  setAccessibleName(QStringLiteral("Side panel"));
  column_ = new QVBoxLayout(this);
  column_->setContentsMargins(8, 8, 8, 8);
  column_->addStretch();  // parts without a stretch of their own sit at the top
  hide();
}

void SidePanel::add_part(QWidget* part, int stretch) {
  part->hide();
  column_->insertWidget(column_->count() - 1, part, stretch);
  part->installEventFilter(this);
  update_shown();
}

bool SidePanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) update_shown();
  return QWidget::eventFilter(watched, event);
}

void SidePanel::update_shown() {
  bool any = false;
  for (int i = 0; i < column_->count(); ++i) {
    const QWidget* part = column_->itemAt(i)->widget();
    any = any || (part != nullptr && !part->isHidden());
  }
  if (any == !isHidden()) return;
  setVisible(any);
  emit shown_changed(any);
}

}  // namespace quorlen
