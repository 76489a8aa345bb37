#include "print/booklet.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace quorlen {
namespace {

// The resolution of the PDFs made here: fine enough that no line or digit
// moves by a visible amount when rounded to it.
constexpr int kPdfDotsPerInch = 1200;

void paint_page(QPainter& painter, const PageLayout& layout, const std::vector<PrintedGrid>& grids,
                const BookletPage& page) {
  for (int slot = 0; slot < page.count; ++slot) {
    const PrintedGrid& grid = grids[static_cast<std::size_t>(page.first + slot)];
    draw_line(painter, layout.caption(slot), grid.caption, layout.caption_points(), false);
    draw_grid(painter, layout.grid(slot), grid, layout.unit());
  }
}

}  // namespace

std::vector<BookletPage> booklet_pages(const Booklet& booklet) {
  std::vector<BookletPage> pages;
  const auto add = [&pages](bool solutions, int grids, int per_page) {
    for (int first = 0; first < grids; first += per_page)
      pages.push_back({solutions, first, std::min(per_page, grids - first)});
  };
  add(false, static_cast<int>(booklet.puzzles.size()), std::max(booklet.per_page, 1));
  add(true, static_cast<int>(booklet.solutions.size()), kSolutionsPerPage);
  return pages;
}

bool paint_booklet(QPagedPaintDevice& device, const Booklet& booklet) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  const double dpi = device.logicalDpiX();
  const QSizeF sheet = device.pageLayout().fullRectPixels(static_cast<int>(dpi)).size();
  const PageLayout puzzles(sheet, dpi / 72, booklet.per_page);
  const PageLayout solutions(sheet, dpi / 72, kSolutionsPerPage);
  const std::vector<BookletPage> pages = booklet_pages(booklet);
  for (std::size_t number = 1; number <= pages.size(); ++number) {
    const BookletPage& page = pages[number - 1];
    if (number > 1 && !device.newPage()) return false;
    const PageLayout& layout = page.solutions ? solutions : puzzles;
    if (number == 1) draw_line(painter, layout.title(), booklet.title, 18, true);
    if (page.solutions && page.first == 0)
      draw_line(painter, layout.title(), QStringLiteral("Solutions"), 18, true);
    paint_page(painter, layout, page.solutions ? booklet.solutions : booklet.puzzles, page);
    if (pages.size() > 1) draw_line(painter, layout.page_number(), QString::number(number), 10, false);
  }
  return painter.end();
}

QByteArray booklet_pdf(const Booklet& booklet, const QPageLayout& paper, const QString& document_title) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kPdfDotsPerInch);
  writer.setPageLayout(QPageLayout(paper.pageSize(), paper.orientation(), QMarginsF()));
  writer.setTitle(document_title);
  writer.setCreator(QStringLiteral("Quorlen"));
  if (!paint_booklet(writer, booklet)) return {};
  return buffer.data();
}

}  // namespace quorlen
