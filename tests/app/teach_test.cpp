// Teaching in the window, as a person meets it: a step drawn on the grid
// and the side panel beside it.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "app/board_area.h"
#include "app/design_area.h"
#include "app/main_window.h"
#include "app/side_panel.h"
#include "board/units.h"
#include "logic/rating.h"

using quorlen::grid_index;

namespace {

const char* const kPointing =
    "6...53..7.3.7......8.4.92.3.153.......8..53..3....759.8.95.1.3.....3..8.2.3.7...4";

}  // namespace

class TeachTest : public QObject {
  Q_OBJECT

  std::unique_ptr<quorlen::MainWindow> window_;

  QLineEdit* cell(int row, int column) const { return window_->cell(grid_index(row - 1, column - 1)); }
  QString said(int row, int column) const { return cell(row, column)->accessibleDescription(); }
  // Every cell as drawn and as described.
  QList<QImage> cells_drawn() const {
    QList<QImage> drawn;
    for (int i = 0; i < 81; ++i) drawn << window_->cell(i)->grab().toImage();
    return drawn;
  }
  QStringList cells_said() const {
    QStringList all;
    for (int i = 0; i < 81; ++i) all << window_->cell(i)->accessibleDescription() << window_->cell(i)->text();
    return all;
  }
  // Whether the cell shows `colour` anywhere.
  bool shows(int row, int column, const QColor& colour) const {
    const QImage image = cell(row, column)->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == colour) return true;
    return false;
  }
  void pose(const char* puzzle) { window_->read_text(QString::fromLatin1(puzzle), false); }

 private slots:
  void initTestCase() { quorlen::configure_application(); }

  void init() {
    quorlen::PlatformHooks hooks;
    hooks.message_box = [](const std::string& text) { QFAIL(text.c_str()); };
    window_ = std::make_unique<quorlen::MainWindow>(std::move(hooks));
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  // A pointing step drawn in two depths: its pattern's cells framed, then
  // what it strikes in red, each said in the cells' descriptions; clearing
  // gives back every cell exactly as it was, notes included.
  void picture_drawn_and_cleared() {
    pose(kPointing);
    QTest::mouseClick(cell(4, 9), Qt::LeftButton);
    QTest::keyClick(cell(4, 9), Qt::Key_2, Qt::AltModifier);  // a note of the person's
    const QList<QImage> before = cells_drawn();
    const QStringList said_before = cells_said();
    const auto grid = *quorlen::logic::Grid::from_string(kPointing);
    quorlen::logic::Workspace work;
    const auto step = *quorlen::logic::next_step(grid, work);

    window_->show_picture(quorlen::picture_of(grid, step, true, false));
    QCOMPARE(said(7, 9), QString("candidates 2 6; 2 in the pattern"));
    QCOMPARE(said(4, 9), QString("candidates 2 6 8"));
    QCOMPARE(said(1, 1), QString("a given"));
    QVERIFY(shows(7, 9, quorlen::design::pointer_colour()));
    QVERIFY(shows(7, 9, quorlen::design::pattern_disc()));
    QVERIFY(!shows(4, 9, quorlen::design::struck_colour()));

    window_->show_picture(quorlen::picture_of(grid, step, true, true));
    QCOMPARE(said(4, 9), QString("candidates 2 6 8; 2 struck"));
    QVERIFY(shows(4, 9, quorlen::design::struck_colour()));
    QCOMPARE(window_->focusWidget(), static_cast<QWidget*>(cell(4, 9)));  // typing goes on

    window_->clear_picture();
    QCOMPARE(cells_said(), said_before);
    QCOMPARE(cells_drawn(), before);
  }

  // The side panel shows beside the design's client area, covering no cell,
  // on a 1280x800 screen; hidden, the window has its size back and the
  // design is drawn as before.
  void side_panel_beside_the_grid() {
    pose(kPointing);
    const QSize size = window_->size();
    const QImage design = window_->design_area()->grab().toImage();
    auto* part = new QLabel("A part");
    window_->side_panel()->add_part(part);
    QVERIFY(window_->side_panel()->isHidden());
    QCOMPARE(window_->size(), size);

    part->show();
    QTRY_VERIFY(window_->side_panel()->isVisible());
    QTRY_COMPARE(window_->size(), size + QSize(quorlen::design::kSidePanelWidth, 0));
    QVERIFY(window_->frameGeometry().width() <= 1280 && window_->frameGeometry().height() <= 800);
    const QRect panel(window_->side_panel()->mapTo(window_.get(), QPoint()), window_->side_panel()->size());
    QCOMPARE(panel.width(), quorlen::design::kSidePanelWidth);
    for (int i = 0; i < 81; ++i) {
      const QRect at(window_->cell(i)->mapTo(window_.get(), QPoint()), window_->cell(i)->size());
      QVERIFY2(!at.intersects(panel), qPrintable(QString::number(i)));
    }
    QVERIFY(window_->rect().contains(panel));
    QCOMPARE(window_->design_area()->grab().toImage(), design);

    part->hide();
    QTRY_VERIFY(window_->side_panel()->isHidden());
    QTRY_COMPARE(window_->size(), size);
    QCOMPARE(window_->design_area()->grab().toImage(), design);
  }
};

QTEST_MAIN(TeachTest)
#include "teach_test.moc"
