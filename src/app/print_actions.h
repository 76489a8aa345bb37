// The window's Print… and Export PDF…: the grid as the window shows it, on
// one page of the printed layout (print/), on paper or in a PDF file.
#pragma once

#include <QObject>

#include "print/booklet.h"
#include "ui/platform.h"
#include "ui/sudoku.h"

class QAction;
class QWidget;

namespace quorlen {

// The page of what `view` shows: each cell's digit and whose it is (see
// DigitOwner), and as caption the level of the givens shown as the Solve
// command rates them, when there are givens and they have a solution.
PrintedGrid printed_view(const View& view);

class PrintActions : public QObject {
  Q_OBJECT

 public:
  // The actions belong to `window`, so that their keys work wherever the
  // focus is; the page shows the grid of `sudoku` as it is when they run.
  // Message boxes and the save dialog go through `platform`.
  PrintActions(QWidget* window, const Sudoku& sudoku, Platform& platform);

  QAction* print_action() const { return print_; }
  QAction* export_action() const { return export_; }

  // The system's print dialog; a cancel changes nothing. "Print to file"
  // writes the PDF as Export PDF does, whole or not at all.
  void print();
  // A save dialog, then the page as a PDF in the file chosen, written as
  // Save writes a puzzle file: whole, or not at all and a message box.
  void export_pdf();

 private:
  Booklet page() const;
  void save(const QString& path, const QPageLayout& paper);

  QWidget* window_;
  const Sudoku& sudoku_;
  Platform& platform_;
  QAction* print_;
  QAction* export_;
};

}  // namespace quorlen
