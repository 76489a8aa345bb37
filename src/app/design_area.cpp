#include "app/design_area.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <algorithm>

#include "app/cell_edit.h"
#include "app/widget_look.h"
#include "board/units.h"
#include "ui/play_texts.h"

namespace quorlen {

// The check box's square and its gap to the caption grow with the design;
// at the design's size they are the style's own.
class IndicatorStyle : public QProxyStyle {
 public:
  IndicatorStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    const bool scaled =
        metric == PM_IndicatorWidth || metric == PM_IndicatorHeight || metric == PM_CheckBoxLabelSpacing;
    return scaled ? scale.px(size) : size;
  }
  design::Scale scale;
};

namespace {

constexpr const char* kResumeText = "Press P, or click here, to play on";

QLabel* make_label(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);  // captions keep their runs of blanks
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setAutoFillBackground(true);
  return label;
}

// What shows over the cells while the game is paused: the word, and how to
// go on. It takes the focus, so the keys that resume reach it.
class PauseCover : public QWidget {
 public:
  explicit PauseCover(DesignArea* area) : QWidget(area), area_(area) {
    setObjectName(QStringLiteral("paused"));
    setAccessibleName(QString::fromLatin1(kPausedText));
    setAccessibleDescription(QStringLiteral("The grid is hidden. ") + QString::fromLatin1(kResumeText) + '.');
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    hide();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const design::Scale& scale = area_->scale();
    painter.setPen(design::legend_colour());
    QFont big = design::label_font();
    big.setPointSizeF(big.pointSizeF() * 2);
    painter.setFont(scale.font(big));
    const QRectF upper(0, 0, width(), height() / 2.0);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, QString::fromLatin1(kPausedText));
    painter.setPen(design::note_colour());  // 4.5:1 at least, for text of this size
    painter.setFont(scale.font(design::label_font()));
    painter.drawText(upper.translated(0, height() / 2.0 + scale.length(8)), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromLatin1(kResumeText));
  }
  void mousePressEvent(QMouseEvent*) override { emit area_->resume_requested(); }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      emit area_->resume_requested();
      return;
    }
    QWidget::keyPressEvent(event);
  }

 private:
  DesignArea* area_;
};

}  // namespace

DesignArea::DesignArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("design"));
  setFont(design::default_font());
  // Every colour the design relies on is set, so that a dark desktop theme
  // cannot put light text on the light background.
  QPalette palette = this->palette();
  set_colour(palette, QPalette::Window, design::background());
  set_text_colour(palette, QPalette::WindowText, Qt::black);
  setPalette(palette);
  setAutoFillBackground(true);

  build_cells();
  build_buttons();
  build_labels();
  cover_ = new PauseCover(this);
  set_tab_order();
  place();
}

void DesignArea::build_cells() {
  for (int index = 0; index < View::kCells; ++index) {
    auto* cell = new CellEdit(index, this);
    cell->setObjectName(QStringLiteral("Text1_%1").arg(index));
    cell->setAccessibleName(QStringLiteral("row %1, column %2").arg(index % 9 + 1).arg(index / 9 + 1));
    cell->setAlignment(Qt::AlignCenter);
    QPalette palette = cell->palette();
    const QColor box = design::cell_background(index);
    set_colour(palette, QPalette::Base, box);
    // The selection that focus brings is a darker shade of the box, so the
    // digit keeps its colour (given, typed or placed) while selected (see
    // MainWindow::sync_cell, which shades the box for highlighting).
    set_colour(palette, QPalette::Highlight, design::selection_shade(box));
    cell->setPalette(palette);
    // A drop anywhere on the grid goes to the window, which opens files and
    // reads text as Paste does: dropped text would bypass the cell's typing
    // rules.
    cell->setAcceptDrops(false);
    cells_[index] = cell;
  }
}

void DesignArea::build_buttons() {
  for (std::size_t i = 0; i < design::kButtons.size(); ++i) {
    const design::ButtonDesign& look = design::kButtons[i];
    auto* button = new QPushButton(QString::fromLatin1(look.caption), this);
    button->setObjectName(QLatin1String(look.name));
    QPalette palette = button->palette();
    set_text_colour(palette, QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
    button->setAutoDefault(true);  // Enter and Return press a focused button, as Space does
    buttons_[i] = button;
  }
}

void DesignArea::build_labels() {
  label1_ = make_label(this, "Label1", {});

  // Created after Label1 so that it is drawn above the label's right-hand
  // part, and opaque, so that it covers whatever of the caption lies there.
  check2_ = new QCheckBox(QString::fromLatin1(design::kCheck2Caption), this);
  check2_->setObjectName(QStringLiteral("Check2"));
  check2_->setBackgroundRole(QPalette::Window);  // buttons fill with the button face
  check2_->setAutoFillBackground(true);
  check2_style_ = new IndicatorStyle;
  check2_style_->setParent(this);  // outlives the check box, which uses it to the end
  check2_->setStyle(check2_style_);

  label3_ = make_label(this, "Label3", QString::fromLatin1(design::kLabel3Caption));
  label4_ = make_label(this, "Label4", {});

  label2_ = make_label(this, "Label2", QString::fromLatin1(design::kLabel2Caption));
  QPalette palette = label2_->palette();
  set_colour(palette, QPalette::WindowText, design::legend_colour());
  label2_->setPalette(palette);
}

// Tab runs through the buttons, then the grid row by row, then the switch.
void DesignArea::set_tab_order() {
  QWidget* previous = buttons_.front();
  for (QPushButton* button : buttons_) {
    if (button != previous) QWidget::setTabOrder(previous, button);
    previous = button;
  }
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      QWidget* next = cells_[grid_index(row, col)];
      QWidget::setTabOrder(previous, next);
      previous = next;
    }
  }
  QWidget::setTabOrder(previous, check2_);
}

void DesignArea::set_scale(const design::Scale& scale) {
  if (scale == scale_) return;
  scale_ = scale;
  place();
}

void DesignArea::place() {
  const design::Scale& scale = scale_;
  setFont(scale.font(design::default_font()));
  for (int index = 0; index < View::kCells; ++index) {
    cells_[index]->setGeometry(scale.rect(design::cell_rect(index)));
    cells_[index]->setFont(scale.font(design::cell_font()));
    cells_[index]->set_scale(scale);
  }
  const QString buttons_look = button_style(scale);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setGeometry(scale.rect(design::kButtons[i].rect));
    buttons_[i]->setFont(scale.font(design::button_font()));
    if (buttons_[i]->styleSheet() != buttons_look) buttons_[i]->setStyleSheet(buttons_look);
  }
  label1_->setGeometry(scale.rect(design::kLabel1));
  label1_->setFont(scale.font(design::label_font()));
  label2_->setGeometry(scale.rect(design::kLabel2));
  label2_->setFont(scale.font(design::label_font()));
  label3_->setGeometry(scale.rect(design::kLabel3));
  label4_->setGeometry(scale.rect(design::kLabel4));
  check2_style_->scale = scale;
  check2_->setGeometry(scale.rect(design::kCheck2));
  check2_->updateGeometry();
  // Over the cells alone: the grid's frame stays in view.
  cover_->setGeometry(scale.rect(design::cell_rect(0)).united(scale.rect(design::cell_rect(80))));
  update();
}

void DesignArea::show_paused(bool paused, int selected) {
  if (paused == cover_->isVisible()) return;
  if (paused) {
    const bool typing =
        std::any_of(cells_.begin(), cells_.end(), [](CellEdit* cell) { return cell->hasFocus(); });
    cover_->show();
    cover_->raise();
    if (typing) cover_->setFocus(Qt::OtherFocusReason);
    for (CellEdit* cell : cells_) cell->hide();
    return;
  }
  for (CellEdit* cell : cells_) cell->show();
  // Before the cover goes, or the focus would move on to the next control.
  if (cover_->hasFocus() && selected >= 0 && cells_[selected]->isEnabled())
    cells_[selected]->setFocus(Qt::OtherFocusReason);
  cover_->hide();
}

QSize DesignArea::sizeHint() const {
  return {scale_.px(design::kClientWidth), scale_.px(design::kClientHeight)};
}

void DesignArea::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  QPen pen(design::frame_colour());
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::FlatCap);
  for (const design::FrameDesign& frame : design::kFrames) {
    pen.setWidth(scale_.px(frame.border));
    painter.setPen(pen);
    // The outline runs through the middle of the frame's edge pixels.
    painter.drawRect(QRectF(scale_.rect(frame.rect)).adjusted(0.5, 0.5, -0.5, -0.5));
  }
  pen.setWidth(scale_.px(design::kLine1Border));
  painter.setPen(pen);
  const QLine line1(scale_.px(design::kLine1.x1()), scale_.px(design::kLine1.y1()),
                    scale_.px(design::kLine1.x2()), scale_.px(design::kLine1.y2()));
  painter.drawLine(QLineF(line1).translated(0.5, 0));
}

}  // namespace quorlen
