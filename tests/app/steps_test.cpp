// The Steps view as a person uses it, through real keys: the steps by hand
// before a Solve, beside the grid, drawn on it and stepped through; the
// chooser after a Solve; and Escape giving everything back.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "app/application.h"
#include "app/main_window.h"
#include "app/steps_window.h"
#include "board/units.h"

using quorlen::grid_index;

namespace {

// Rated 2.6, its pointings between runs of singles (see the path's own test).
const char* const kPointing =
    "...4.1.....3...9...61...24...7.9.4...5.....1...87.35...8..3..6.1.......35...2...4";

// Rated 11.6: nested chains, seconds of work.
const char* const kEasterMonster =
    "1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1";

}  // namespace

class StepsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<quorlen::MainWindow> window_;
  QStringList messages_;

  QLineEdit* cell(int row, int column) const { return window_->cell(grid_index(row - 1, column - 1)); }
  QString said(int row, int column) const { return cell(row, column)->accessibleDescription(); }
  // Every cell as shown and described.
  QStringList cells_said() const {
    QStringList all;
    for (int i = 0; i < 81; ++i) all << window_->cell(i)->accessibleDescription() << window_->cell(i)->text();
    return all;
  }
  quorlen::StepsWindow* open_steps() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    return window_->steps_window();
  }
  QString row_text(QAbstractItemView* view) const { return view->currentIndex().data().toString(); }

 private slots:
  void initTestCase() { quorlen::configure_application(); }

  void init() {
    messages_.clear();
    quorlen::PlatformHooks hooks;
    hooks.message_box = [this](const std::string& text) { messages_ << QString::fromStdString(text); };
    window_ = std::make_unique<quorlen::MainWindow>(std::move(hooks));
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QVERIFY(window_->read_text(QString::fromLatin1(kPointing), false));
  }

  // Before a Solve, Ctrl+T opens on the steps by hand, beside the grid: a
  // run of singles folded into one row, every cell's candidates before the
  // step chosen drawn and said, the step's pattern, what it strikes and
  // places; the arrows step, Right opens a run; Escape gives back the grid,
  // the game, the focus and the window's size exactly.
  void steps_by_hand_before_a_solve() {
    QTest::mouseClick(cell(2, 1), Qt::LeftButton);
    QTest::keyClick(cell(2, 1), Qt::Key_4, Qt::AltModifier);  // a note of the person's
    const quorlen::Game game = window_->sudoku().game();
    const QStringList said_before = cells_said();
    const QSize size = window_->size();

    quorlen::StepsWindow* steps = open_steps();
    QTreeView* path = steps->path();
    QTRY_COMPARE(path->model()->rowCount(), 12);
    QTRY_COMPARE(QApplication::focusWidget(), path);
    QCOMPARE(steps->attempts()->currentText(), QString("By hand: 59 steps"));
    QCOMPARE(row_text(path),
             QString("1-7. 7 singles: r1c3=5, r3c4=3, r3c6=9, r2c9=1, r9c2=3, r6c5=1, r4c2=1"));
    QVERIFY(said(2, 1).startsWith("candidates 2 4 7 8"));  // the candidates, not the person's note
    // Beside the grid, covering no cell, within a 1280x800 screen.
    const QRect view(steps->mapTo(window_.get(), QPoint()), steps->size());
    QVERIFY(window_->rect().contains(view));
    for (int i = 0; i < 81; ++i)
      QVERIFY(!view.intersects(
          QRect(window_->cell(i)->mapTo(window_.get(), QPoint()), window_->cell(i)->size())));
    QVERIFY(window_->frameGeometry().width() <= 1280 && window_->frameGeometry().height() <= 800);

    const struct {
      Qt::Key key;
      const char* row;
      int r, c;
      const char* cell_said;
    } keys[] = {
        {Qt::Key_Right, "1-7. 7 singles", 1, 3, "candidates 2 5 9; places 5"},
        {Qt::Key_Down, "1. Hidden Single (1.2): in the top-left box, 5 fits only in r1c3.", 1, 3,
         "candidates 2 5 9; 5 in the pattern; places 5"},
        {Qt::Key_Down, "2. Hidden Single (1.2): in the top-middle box, 3", 1, 3, "the solver's digit"},
        {Qt::Key_End, "26-59. 34 singles: r1c8=7, r1c7=3", 2, 2, "the solver's digit"},
        {Qt::Key_Up, "25. Direct Hidden Pair (2.0): in the top-left box, 2 and 9", 1, 1,
         "candidates 2 7 9; 2 9 in the pattern"},
        {Qt::Key_Up, "24. Full House (1.0): r3c5", 3, 5, "candidates 7; 7 in the pattern; places 7"},
        {Qt::Key_Up, "23. Direct Hidden Pair (2.0)", 3, 1, "candidates 7 8; in the pattern; places 8"},
        {Qt::Key_Up, "22. Pointing (2.6): in the top-middle box, 2 fits only in r2c4 and r2c6", 2, 2,
         "candidates 2 7; 2 struck"},
    };
    for (const auto& k : keys) {
      QTest::keyClick(path, k.key);
      QVERIFY2(row_text(path).startsWith(k.row), qPrintable(row_text(path)));
      QCOMPARE(said(k.r, k.c), QString(k.cell_said));
      QCOMPARE(steps->findChild<QLabel*>("sentence")->accessibleName(), row_text(path));
    }
    // The grid before step 22, and no typing into it.
    QCOMPARE(cell(1, 3)->text() + cell(3, 5)->text(), QString("5"));
    QTest::keyClicks(cell(3, 5), "7");
    QCOMPARE(cell(3, 5)->text(), QString());

    QTest::keyClick(path, Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(steps->rating()->isVisible());
    QCOMPARE(steps->rating()->text(), QString("ER 2.6, EP 1.2, ED 1.2; the hardest step is Pointing."));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(steps->isHidden());
    QVERIFY(window_->sudoku().game() == game);
    QCOMPARE(cells_said(), said_before);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(cell(2, 1)));
    QTRY_COMPARE(window_->size(), size);
    QVERIFY(messages_.isEmpty());
  }

  // After a Solve the view opens on its steps, as before; By hand is the
  // chooser's last entry, and back again.
  void chooser_after_a_solve() {
    QTest::mouseClick(window_->findChild<QPushButton*>("CmdSolve"), Qt::LeftButton);
    messages_.clear();
    quorlen::StepsWindow* steps = open_steps();
    QTRY_COMPARE(QApplication::focusWidget(), steps->list());
    QComboBox* chooser = steps->attempts();
    QVERIFY(chooser->count() == 2 && chooser->currentText().startsWith("Attempt 1, which solved the puzzle"));
    QTest::keyClick(chooser, Qt::Key_Down);
    QTRY_COMPARE(steps->path()->model()->rowCount(), 12);
    QCOMPARE(said(1, 3), QString("candidates 2 5 9; places 5"));
    QTest::keyClick(chooser, Qt::Key_Up);
    QVERIFY(steps->list()->isVisible());
    QCOMPARE(cell(1, 3)->text(), QString("5"));
    QTest::keyClick(chooser, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(steps->isHidden() && messages_.isEmpty());
  }

  // A puzzle whose steps by hand take seconds: the window does not wait,
  // the list says they are being worked out, and closing drops the work.
  void steps_being_worked_out() {
    QVERIFY(window_->read_text(QString::fromLatin1(kEasterMonster), false));
    quorlen::StepsWindow* steps = open_steps();
    QCOMPARE(steps->attempts()->currentText(), QString("By hand: being worked out"));
    QVERIFY(steps->path()->model()->index(0, 0).data().toString().startsWith("Still working out the steps"));
    QTest::keyClick(steps->path(), Qt::Key_Escape);
    QVERIFY(steps->isHidden());
  }
};

QTEST_MAIN(StepsTest)
#include "steps_test.moc"
