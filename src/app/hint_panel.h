// The hint in the side panel: what it says at its depth, with buttons for
// more of it, to apply it and to close it. It never takes the focus, so
// that typing in the grid goes on while it shows; a screen reader hears
// each new text as it comes.
#pragma once

#include <QFrame>

class QAction;
class QLabel;
class QPushButton;

namespace quorlen {

class HintSession;

class HintPanel : public QFrame {
  Q_OBJECT

 public:
  // The buttons trigger the window's actions: the hint's, Apply's and the
  // one that closes it.
  HintPanel(QAction* more, QAction* apply, QAction* close, QWidget* parent);

  // Shows `hint` at its depth; hides the panel for none. Cheap when
  // nothing changed.
  void show_hint(const HintSession* hint);

  QLabel* heading() const { return heading_; }
  QLabel* text() const { return text_; }

 signals:
  // A new text, as a screen reader is told it.
  void announced(const QString& said);

 private:
  QLabel* heading_ = nullptr;
  QLabel* text_ = nullptr;
  QPushButton* more_ = nullptr;
  QPushButton* apply_ = nullptr;
};

}  // namespace quorlen
