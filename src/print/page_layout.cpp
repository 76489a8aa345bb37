#include "print/page_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>

#include "board/units.h"

namespace quorlen {
namespace {

// In points. The margins keep clear of what printers cannot reach.
constexpr double kMargin = 42.5;  // 15 mm
constexpr double kTitleBand = 36;
constexpr double kFootBand = 24;
constexpr double kSlotGap = 30;       // between neighbouring grids
constexpr double kLargestGrid = 440;  // a grid alone on a page: about 15.5 cm

// What a printed digit or note looks like.
struct InkLook {
  bool bold;
  QColor colour;
};

InkLook look_of(Ink ink) {
  switch (ink) {
    case Ink::given:
      return {true, Qt::black};
    case Ink::solver:
      return {false, QColor(0, 60, 200)};
    case Ink::person:
      break;
  }
  return {false, Qt::black};
}

QFont print_font(double points, bool bold) {
  // Liberation Sans (fonts-liberation): a clean sans serif with digits of
  // one width, embedded in every PDF.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);  // metrics as designed, not snapped to a screen's pixels
  return font;
}

// A font and colour for digits, and the step from a digit's centre to where
// its text starts. Every digit has the same width and height in this font,
// so one step centres them all.
struct DigitPen {
  DigitPen(const QPainter& painter, double points, InkLook look)
      : font(print_font(points, look.bold)), colour(look.colour) {
    const QFontMetricsF metrics(font, painter.device());
    const QRectF eight = metrics.tightBoundingRect(QStringLiteral("8"));
    to_baseline = {-metrics.horizontalAdvance(QLatin1Char('8')) / 2, -(eight.top() + eight.bottom()) / 2};
  }
  QFont font;
  QColor colour;
  QPointF to_baseline;
};

}  // namespace

PageLayout::PageLayout(QSizeF page, double unit, int grids)
    : grids_(std::max(grids, 1)),
      columns_(grids_ <= 2   ? 1
               : grids_ <= 6 ? 2
                             : 3),
      unit_(unit) {
  const double width = page.width() / unit;
  const double height = page.height() / unit;
  const auto in_units = [unit](double x, double y, double w, double h) {
    return QRectF(x * unit, y * unit, w * unit, h * unit);
  };
  title_ = in_units(kMargin, kMargin, width - 2 * kMargin, kTitleBand);
  page_number_ = in_units(kMargin, height - kMargin - kFootBand, width - 2 * kMargin, kFootBand);
  area_ = in_units(kMargin, kMargin + kTitleBand, width - 2 * kMargin,
                   height - 2 * kMargin - kTitleBand - kFootBand);

  const int rows = (grids_ + columns_ - 1) / columns_;
  const double slot_width = area_.width() / unit / columns_;
  const double slot_height = area_.height() / unit / rows;
  // The caption's band is twice its font size, and the font grows with the
  // grid: a first guess at the side, then the side that leaves room for it.
  const auto side_for = [&](double caption) {
    return std::min({slot_width - kSlotGap, slot_height - kSlotGap - 2 * caption, kLargestGrid});
  };
  const auto caption_for = [](double side) { return std::min(14.0, 8 + side / 60); };
  caption_points_ = caption_for(side_for(14.0));
  side_ = std::max(side_for(caption_points_), 1.0) * unit;
}

QRectF PageLayout::grid(int slot) const {
  const int rows = (grids_ + columns_ - 1) / columns_;
  const double slot_width = area_.width() / columns_;
  const double slot_height = area_.height() / rows;
  const double caption = 2 * caption_points_ * unit_;
  const QPointF centre = area_.topLeft() + QPointF((slot % columns_ + 0.5) * slot_width,
                                                   (slot / columns_ + 0.5) * slot_height + caption / 2);
  return {centre.x() - side_ / 2, centre.y() - side_ / 2, side_, side_};
}

QRectF PageLayout::caption(int slot) const {
  const QRectF square = grid(slot);
  const double height = 2 * caption_points_ * unit_;
  return {square.left(), square.top() - height, square.width(), height};
}

void draw_grid(QPainter& painter, const QRectF& square, const PrintedGrid& grid, double unit) {
  const double cell = square.width() / 9;
  const double cell_points = cell / unit;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  QPen pen(Qt::black, std::clamp(cell_points * 0.02, 0.35, 0.75) * unit, Qt::SolidLine, Qt::FlatCap,
           Qt::MiterJoin);
  const auto draw_lines = [&](bool boxes) {
    for (int k = 1; k < 9; ++k) {
      if ((k % 3 == 0) != boxes) continue;
      const double at = k * cell;
      painter.drawLine(QPointF(square.left() + at, square.top()),
                       QPointF(square.left() + at, square.bottom()));
      painter.drawLine(QPointF(square.left(), square.top() + at), QPointF(square.right(), square.top() + at));
    }
  };
  painter.setPen(pen);
  draw_lines(false);
  pen.setWidthF(std::clamp(cell_points * 0.07, 1.0, 2.5) * unit);
  painter.setPen(pen);
  draw_lines(true);
  painter.drawRect(square);

  // The digits and notes cell by cell, row by row: the order in which a
  // reader program copies them and a screen reader reads them. A note d
  // goes in the d-th of nine small places, row by row.
  const double digit_points = cell_points * 0.62;
  const std::array<DigitPen, 4> pens{DigitPen(painter, digit_points, look_of(Ink::given)),
                                     DigitPen(painter, digit_points, look_of(Ink::person)),
                                     DigitPen(painter, digit_points, look_of(Ink::solver)),
                                     DigitPen(painter, cell_points * 0.24, {false, QColor(80, 80, 80)})};
  constexpr std::size_t kNotes = 3;
  static const QString kDigits[] = {{}, "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  std::size_t in_use = pens.size();
  const auto write = [&](std::size_t with, QPointF centre, int digit) {
    if (with != in_use) {
      painter.setFont(pens[with].font);
      painter.setPen(pens[with].colour);
      in_use = with;
    }
    painter.drawText(centre + pens[with].to_baseline, kDigits[digit]);
  };
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      const PrintedCell& printed = grid.cells[grid_index(row, col)];
      const QPointF centre = square.topLeft() + QPointF((col + 0.5) * cell, (row + 0.5) * cell);
      if (printed.digit >= 1 && printed.digit <= 9) {
        write(static_cast<std::size_t>(printed.ink), centre, printed.digit);
        continue;
      }
      for (int d = 1; d <= 9; ++d) {
        if ((printed.notes & (1u << d)) != 0)
          write(kNotes, centre + QPointF(((d - 1) % 3 - 1) * cell * 0.3, ((d - 1) / 3 - 1) * cell * 0.3), d);
      }
    }
  }
  painter.restore();
}

void draw_line(QPainter& painter, const QRectF& band, const QString& text, double points, bool bold) {
  if (text.isEmpty()) return;
  const QFont font = print_font(points, bold);
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(font, painter.device());
  painter.drawText(band, Qt::AlignCenter | Qt::TextSingleLine,
                   metrics.elidedText(text, Qt::ElideRight, band.width()));
  painter.restore();
}

}  // namespace quorlen
