#include "app/print_actions.h"

#include <QAction>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "app/qt_platform.h"
#include "files/replace_file.h"
#include "generator/rating.h"
#include "ui/folders.h"

namespace quorlen {
namespace {

// What a reader program shows as the PDF's title, and the print queue as
// the job's name.
const QString kDocumentName = QStringLiteral("Sudoku");

// A4, but where the locale's paper is Letter.
QPageLayout default_paper() {
  const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
  return {QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait, QMarginsF()};
}

}  // namespace

PrintedGrid printed_view(const View& view) {
  PrintedGrid page;
  DigitGrid givens{};
  bool any_given = false;
  for (int index = 0; index < View::kCells; ++index) {
    const CellView& cell = view.cell(index);
    PrintedCell& printed = page.cells[index];
    printed.digit = cell_digit(cell.text);
    const DigitOwner owner = cell.owner;
    printed.ink = owner == DigitOwner::given    ? Ink::given
                  : owner == DigitOwner::solver ? Ink::solver
                                                : Ink::person;
    // Notes show only in a cell without a digit, and the page draws them
    // only there.
    printed.notes = cell.notes;
    if (printed.digit != 0 && printed.ink == Ink::given) {
      givens[index] = static_cast<std::uint8_t>(printed.digit);
      any_given = true;
    }
  }
  if (any_given) {
    if (const Rating rating = rate_puzzle(givens); rating.solved)
      page.caption = QString::fromUtf8(level_name(rating.level));
  }
  return page;
}

PrintActions::PrintActions(QWidget* window, const Sudoku& sudoku, Platform& platform)
    : QObject(window),
      window_(window),
      sudoku_(sudoku),
      platform_(platform),
      print_(new QAction(QStringLiteral("Pr&int\u2026"), window)),
      export_(new QAction(QStringLiteral("&Export PDF\u2026"), window)) {
  print_->setShortcut(QKeySequence::Print);
  connect(print_, &QAction::triggered, this, &PrintActions::print);
  connect(export_, &QAction::triggered, this, &PrintActions::export_pdf);
  for (QAction* action : {print_, export_}) {
    action->setShortcutVisibleInContextMenu(true);
    window->addAction(action);
  }
}

Booklet PrintActions::page() const {
  Booklet booklet;
  booklet.puzzles.push_back(printed_view(sudoku_.view()));
  return booklet;
}

void PrintActions::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);  // the page keeps its own margins, the same on paper as in a PDF
  printer.setDocName(kDocumentName);
  QPrintDialog dialog(&printer, window_);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);  // there is one page
  if (dialog.exec() != QDialog::Accepted) return;
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    save(printer.outputFileName(), printer.pageLayout());
  } else if (!paint_booklet(printer, page())) {
    platform_.message_box("Cannot print on " + in_quotes(printer.printerName().toStdString()) + ".");
  }
}

void PrintActions::export_pdf() {
  FileDialogRequest request;
  request.kind = FileDialogKind::save;
  request.title = "Export PDF";
  request.filter = "PDF files (*.pdf)";
  request.initial_dir =
      save_dialog_folder(platform_.program_directory(), {}, platform_.documents_directory());
  const FileDialogResult chosen = platform_.file_dialog(request);
  if (chosen.ok) {
    save(to_qstring(chosen.path), default_paper());
  } else if (!chosen.error.empty() && chosen.error != kDialogCancelled) {
    platform_.message_box(chosen.error);
  }
}

void PrintActions::save(const QString& path, const QPageLayout& paper) {
  const QByteArray pdf = booklet_pdf(page(), paper, kDocumentName);
  const FileResult<> saved =
      pdf.isEmpty()
          ? FileResult<>(action_error("Cannot save", to_path(path), 0, "the page could not be drawn"))
          : replace_file(to_path(path),
                         std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  if (!saved) platform_.message_box(saved.error().message);
}

}  // namespace quorlen
