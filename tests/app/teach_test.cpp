// Teaching in the window, as a person meets it: a step drawn on the grid
// and the side panel beside it.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "app/application.h"
#include "app/board_area.h"
#include "app/design_area.h"
#include "app/hint_panel.h"
#include "app/main_window.h"
#include "app/side_panel.h"
#include "board/units.h"
#include "logic/rating.h"
#include "support/text_cases.h"

using quorlen::grid_index;

namespace {

const char* const kPointing =
    "6...53..7.3.7......8.4.92.3.153.......8..53..3....759.8.95.1.3.....3..8.2.3.7...4";

// The contrast of two colours by the WCAG formula.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double one = luminance(a) + 0.05, other = luminance(b) + 0.05;
  return std::max(one, other) / std::min(one, other);
}

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
  // "r3c2" as the cell's widget.
  QLineEdit* named(const std::string& rc) const { return cell(rc[1] - '0', rc[3] - '0'); }
  // Every note filled in from the Play menu, then each "r3c2:36" struck by Alt and the digit.
  void strike_notes(const std::vector<std::string>& struck) {
    QTest::keyClick(window_.get(), Qt::Key_P, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_F);
    for (const std::string& word : struck) {
      QTest::mouseClick(named(word), Qt::LeftButton);
      for (const char digit : word.substr(5))
        QTest::keyClick(named(word), static_cast<Qt::Key>(Qt::Key_0 + digit - '0'), Qt::AltModifier);
    }
  }
  QString hint_text() const { return window_->hint_panel()->text()->text(); }

 private slots:
  void initTestCase() { quorlen::configure_application(); }

  void init() {
    quorlen::PlatformHooks hooks;
    hooks.message_box = [](const std::string& text) { QFAIL(text.c_str()); };
    window_ = std::make_unique<quorlen::MainWindow>(std::move(hooks));
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  // A step drawn, its pattern framed and on discs, what it strikes in red
  // (the texts: four_depths), every digit at 4.5:1 at least; clearing gives
  // back every cell exactly as it was, the person's notes included.
  void picture_drawn_and_cleared() {
    pose(kPointing);
    QTest::mouseClick(cell(4, 9), Qt::LeftButton);
    QTest::keyClick(cell(4, 9), Qt::Key_2, Qt::AltModifier);  // a note of the person's
    const QList<QImage> before = cells_drawn();
    const QStringList said_before = cells_said();
    const auto grid = *quorlen::logic::Grid::from_string(kPointing);
    quorlen::logic::Workspace work;
    window_->show_picture(quorlen::picture_of(grid, *quorlen::logic::next_step(grid, work), true, true));
    QVERIFY(shows(7, 9, quorlen::design::pointer_colour()) && shows(7, 9, quorlen::design::pattern_disc()));
    QVERIFY(shows(4, 9, quorlen::design::struck_colour()));
    QCOMPARE(said(1, 1), QString("a given"));
    QCOMPARE(window_->focusWidget(), static_cast<QWidget*>(cell(4, 9)));  // typing goes on
    namespace design = quorlen::design;
    for (const QColor& box : {design::background(), design::dark_box(), design::pattern_disc()})
      for (const QColor& ink : {design::struck_colour(), design::placed_colour(), design::note_colour()})
        QVERIFY(contrast(ink, box) >= 4.5);
    window_->clear_picture();
    QCOMPARE(cells_said(), said_before);
    QCOMPARE(cells_drawn(), before);
  }

  // Ctrl+H again and again on the grids of tests/data/hints, the focus
  // staying in the grid; Escape closes the hint and gives the grid back.
  void four_depths() {
    for (const auto& c : quorlen::testing::load_text_cases(QUORLEN_TEST_DATA_DIR "/hints")) {
      init();
      const QString name = QString::fromStdString(c.name) + ": ";
      std::map<std::string, std::vector<std::string>> w;
      for (const auto& line : c.lines) {
        auto words = quorlen::testing::words_of(line.second);
        const std::string key = words[0] == "depth" ? "depth " + words.at(1) : words[0];
        w[key].assign(words.begin() + (words[0] == "depth" ? 2 : 1), words.end());
      }
      pose(w["grid"].at(0).c_str());
      if (w["struck"].at(0) != "-") strike_notes(w["struck"]);
      QLineEdit* at = cell(1, 1);
      at->setFocus();
      const QStringList before = cells_said();
      for (int depth = 1; depth <= 4; ++depth) {
        QTest::keyClick(at, Qt::Key_H, Qt::ControlModifier);
        const QString want = QString::fromStdString(w["depth " + std::to_string(depth)].at(0));
        QVERIFY2(hint_text() == want, qPrintable(name + hint_text()));
        QCOMPARE(window_->hint_panel()->heading()->text(), QString("Hint %1 of 4").arg(depth));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(at));
      }
      QStringList marked, want;
      for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 9; ++column)
          if (said(row, column).contains("in the pattern")) marked << QString("r%1c%2").arg(row).arg(column);
      for (const std::string& rc : w["pattern"]) want << QString::fromStdString(rc);
      QVERIFY2(marked == want, qPrintable(name + marked.join(' ')));
      const std::string& drawn = w["drawn"].at(0);
      QVERIFY2(named(drawn)->accessibleDescription().toStdString() == w["drawn"].at(1),
               qPrintable(name + named(drawn)->accessibleDescription()));
      QTest::keyClick(at, Qt::Key_Escape);
      QVERIFY(window_->side_panel()->isHidden());
      QCOMPARE(cells_said(), before);
    }
  }

  // Apply (Ctrl+Shift+H) carries the step out as one step, the notes of a
  // person without any filled in first; Ctrl+Z gives back grid and notes.
  // A note that leaves out the solution's digit is named first, its cell
  // focused and framed (a wrong digit likewise: the scenarios), and Apply
  // puts the digit back.
  void apply_and_wrong_note() {
    pose(kPointing);
    QTest::mouseClick(cell(1, 2), Qt::LeftButton);
    const QStringList before = cells_said();
    QTest::keyClick(cell(1, 2), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(said(4, 9), QString("notes 6 8"));
    QCOMPARE(said(1, 2), QString("notes 2 4 9"));
    QVERIFY(window_->side_panel()->isHidden());
    QVERIFY(window_->sudoku().game().helped);
    QTest::keyClick(cell(1, 2), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cells_said(), before);

    QTest::keyClick(cell(1, 2), Qt::Key_4, Qt::AltModifier);
    QTest::mouseClick(cell(9, 9), Qt::LeftButton);
    QTest::keyClick(cell(9, 9), Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(hint_text(), QString("Your notes in r1c2 leave out a digit that belongs there."));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(cell(1, 2)));
    QCOMPARE(said(1, 2), QString("notes 4, the hint's cell"));
    QCOMPARE(cell(1, 2)->grab().toImage().pixelColor(2, 20), quorlen::design::pointer_colour());  // its frame
    QTest::keyClick(cell(1, 2), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(said(1, 2), QString("notes 4 9"));
  }

  // The hint shows in the side panel beside the grid, covering no cell, on
  // a 1280x800 screen; a screen reader hears each text as it comes; the
  // Close button hides it, the window gets its size back and the design is
  // drawn as before.
  void hint_beside_the_grid() {
    QStringList heard;
    connect(window_->hint_panel(), &quorlen::HintPanel::announced,
            [&heard](const QString& said) { heard << said; });
    pose(kPointing);
    const QSize size = window_->size();
    QTest::mouseClick(cell(1, 2), Qt::LeftButton);
    const QImage design = window_->design_area()->grab().toImage();
    QTest::keyClick(cell(1, 2), Qt::Key_H, Qt::ControlModifier);
    QTest::keyClick(cell(1, 2), Qt::Key_H, Qt::ControlModifier);
    QLabel* text = window_->hint_panel()->text();
    QCOMPARE(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name), heard.value(1));
    QCOMPARE(
        heard,
        (QStringList{"Hint 1 of 4: Look for a pointing pair (2.6).",
                     "Hint 2 of 4: Look for a pointing pair on 2, in the bottom-right box and column 9."}));
    QTRY_COMPARE(window_->size(), size + QSize(quorlen::design::kSidePanelWidth, 0));
    QVERIFY(window_->frameGeometry().width() <= 1280 && window_->frameGeometry().height() <= 800);
    const QRect panel(window_->side_panel()->mapTo(window_.get(), QPoint()), window_->side_panel()->size());
    QVERIFY(window_->rect().contains(panel));
    for (int i = 0; i < 81; ++i) {
      const QRect at(window_->cell(i)->mapTo(window_.get(), QPoint()), window_->cell(i)->size());
      QVERIFY2(!at.intersects(panel), qPrintable(QString::number(i)));
    }
    QCOMPARE(window_->design_area()->grab().toImage(), design);

    QTest::mouseClick(window_->hint_panel()->findChild<QPushButton*>("close"), Qt::LeftButton);
    QVERIFY(window_->side_panel()->isHidden());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(cell(1, 2)));
    QTRY_COMPARE(window_->size(), size);
    QCOMPARE(window_->design_area()->grab().toImage(), design);
  }
};

QTEST_MAIN(TeachTest)
#include "teach_test.moc"
