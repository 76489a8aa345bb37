#include "app/hint_panel.h"

#include <QAccessible>
#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/hint_session.h"

namespace quorlen {
namespace {

QPushButton* action_button(const QString& text, QAction* action, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setFocusPolicy(Qt::NoFocus);  // the focus stays in the grid
  button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
  QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
  return button;
}

}  // namespace

HintPanel::HintPanel(QAction* more, QAction* apply, QAction* close, QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("hint"));
  setFrameShape(QFrame::StyledPanel);
  setAccessibleName(QStringLiteral("Hint"));
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("hint_heading"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("hint_text"));
  text_->setWordWrap(true);
  text_->setTextFormat(Qt::PlainText);
  text_->setTextInteractionFlags(Qt::NoTextInteraction);
  more_ = action_button(QStringLiteral("More"), more, this);
  apply_ = action_button(QStringLiteral("Apply"), apply, this);
  auto* shut = action_button(QStringLiteral("Close"), close, this);
  shut->setObjectName(QStringLiteral("close"));
  more_->setAccessibleName(QStringLiteral("More of the hint"));
  apply_->setAccessibleName(QStringLiteral("Apply the hint"));
  shut->setAccessibleName(QStringLiteral("Close the hint"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(more_);
  buttons->addWidget(apply_);
  buttons->addStretch();
  buttons->addWidget(shut);
  auto* column = new QVBoxLayout(this);
  column->addWidget(heading_);
  column->addWidget(text_);
  column->addLayout(buttons);
  hide();
}

void HintPanel::show_hint(const HintSession* hint) {
  if (hint == nullptr) {
    hide();
    return;
  }
  const bool step = hint->hint().kind == HintCase::step;
  const QString heading =
      step ? QStringLiteral("Hint %1 of %2").arg(hint->depth()).arg(hint->depths()) : QStringLiteral("Hint");
  const QString text = QString::fromStdString(hint->text());
  more_->setEnabled(hint->depth() < hint->depths());
  apply_->setEnabled(hint->hint().kind != HintCase::none);
  show();
  if (heading_->text() == heading && text_->text() == text) return;
  heading_->setText(heading);
  text_->setText(text);
  // Read out as it changes, as a live region is: the name says it all.
  const QString said = heading + QStringLiteral(": ") + text;
  text_->setAccessibleName(said);
  QAccessibleEvent alert(text_, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  emit announced(said);
}

}  // namespace quorlen
