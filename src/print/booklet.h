// Pages of puzzles: a booklet of numbered puzzles with their solutions on
// pages of their own after them, or the one page that the window prints.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <vector>

#include "print/page_layout.h"

class QPagedPaintDevice;

namespace quorlen {

// Solutions are printed smaller, this many a page.
inline constexpr int kSolutionsPerPage = 12;

struct Booklet {
  QString title;                       // on the first page, if not empty
  int per_page = 1;                    // puzzles a page: 1, 2, 4 or 6
  std::vector<PrintedGrid> puzzles;    // at least one
  std::vector<PrintedGrid> solutions;  // after the puzzles, in pages of their own
};

// One page of a booklet: `count` grids from `first` of its puzzles, or of
// its solutions.
struct BookletPage {
  bool solutions = false;
  int first = 0;
  int count = 0;
  friend bool operator==(const BookletPage&, const BookletPage&) = default;
};

std::vector<BookletPage> booklet_pages(const Booklet& booklet);

// Paints the booklet on `device` (a PDF writer, a printer), from the paper's
// top-left corner: the device paints the whole sheet (a printer is set to
// full page). The title heads the first page and "Solutions" the first page
// of solutions; a booklet of more than one page has its pages numbered at
// the foot. False when the device cannot be painted on.
bool paint_booklet(QPagedPaintDevice& device, const Booklet& booklet);

// The booklet as a PDF on sheets of `paper` (its margins are the booklet's
// own), its digits as text in an embedded font. `document_title` is what a
// reader program shows as its title. Empty when it could not be made.
QByteArray booklet_pdf(const Booklet& booklet, const QPageLayout& paper, const QString& document_title);

}  // namespace quorlen
