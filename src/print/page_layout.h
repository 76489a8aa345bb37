// A printed page of Sudoku grids: where the grids, their captions, the
// title and the page number go, and how a grid is drawn. One layout for the
// window's Print and Export PDF and for quorlen-print's booklets, on any
// paged device (a PDF writer, a printer) at any resolution.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>

class QPainter;

namespace quorlen {

// Whose digit a cell shows, which decides how it is printed: the givens
// bold, the person's digits plain, the solver's plain and blue, so that a
// printed grid tells them apart as the window does.
enum class Ink : std::uint8_t { given, person, solver };

struct PrintedCell {
  int digit = 0;  // 1..9, or 0 for an empty cell
  Ink ink = Ink::given;
  std::uint16_t notes =
      0;  // the candidates noted in an empty cell: bit d for digit d, as in a candidate mask
};

// One grid on paper, its cells by grid index (down the columns, as
// DigitGrid numbers them), and the caption above it.
struct PrintedGrid {
  std::array<PrintedCell, 81> cells{};
  QString caption;
};

// The places on one page that holds `grids` grids: one or two in a column,
// four or six in two columns, twelve in three. Every page of a booklet has
// the same margins and bands, so that its grids line up from page to page.
class PageLayout {
 public:
  // `page`: the whole sheet in device units, `unit` of them to a point.
  PageLayout(QSizeF page, double unit, int grids);

  int grids() const { return grids_; }
  double unit() const { return unit_; }
  // The band across the top (the title) and across the foot (the page number).
  QRectF title() const { return title_; }
  QRectF page_number() const { return page_number_; }
  // The square of grid `slot` (0 .. grids() - 1, row by row) and the
  // caption's band above it.
  QRectF grid(int slot) const;
  QRectF caption(int slot) const;
  // The caption's font size in points, which grows with the grid.
  double caption_points() const { return caption_points_; }

 private:
  int grids_;
  int columns_;
  double unit_;
  QRectF title_, page_number_, area_;
  double side_ = 0;
  double caption_points_ = 0;
};

// Draws `grid` in `square` (device units, `unit` of them to a point): thin
// lines between the cells, thick ones around the boxes and the grid, each
// digit large and centred in its cell, an empty cell's notes small in a
// 3 x 3 pattern. Every digit is text, so that a reader program finds it,
// written cell by cell, row by row, so that it reads the grid in order.
void draw_grid(QPainter& painter, const QRectF& square, const PrintedGrid& grid, double unit);

// One line of text centred in `band`, cut with an ellipsis where too long.
void draw_line(QPainter& painter, const QRectF& band, const QString& text, double points, bool bold);

}  // namespace quorlen
