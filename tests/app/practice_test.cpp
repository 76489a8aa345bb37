// The rating in the status line, and "New puzzle to practise..." as a
// person uses it: Ctrl+Shift+N, the dialog's lists chosen with keys, Enter; from the practice bank, or made
// in the background with a progress window whose Cancel leaves the grid alone.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/main_window.h"
#include "app/practice_window.h"
#include "app/status_line.h"
#include "board/units.h"
#include "logic/rating.h"
#include "view/view.h"

namespace {

// Presses `keys` in the practice dialog's list `list` once it is up, then
// Enter; sets `*up` when the dialog was there.
void choose_in_dialog(const char* list, QList<Qt::Key> keys, bool* up) {
  QTimer::singleShot(0, [list, keys, up] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) return;
    *up = true;
    auto* combo = dialog->findChild<QComboBox*>(list);
    for (const Qt::Key key : keys) QTest::keyClick(combo, key);
    QTest::keyClick(combo, Qt::Key_Return);
    if (dialog->isVisible()) dialog->close();  // a check failed: never hang
  });
}

}  // namespace

class PracticeTest : public QObject {
  Q_OBJECT

  QTemporaryDir program_dir_;
  std::unique_ptr<quorlen::MainWindow> window_;
  QStringList bank_;  // the puzzles of the test's bank, rated 2.0-2.9

  QString shown() const {
    return QString::fromStdString(quorlen::puzzle_string(quorlen::shown_digits(window_->sudoku().view())));
  }
  QString rating() const { return window_->status_line()->practice()->accessibleName(); }
  // Ctrl+Shift+N wherever the focus is, as a person presses it, then
  // `keys` in the dialog's list `list` and Enter.
  void practise(const char* list, QList<Qt::Key> keys) {
    // Back from the dialog or the progress window before: on a busy machine
    // the platform may hand the window the keys back a little late, and a
    // key pressed meanwhile goes nowhere, as it would for a person.
    bool up = false;
    for (int tries = 0; !up && tries < 50; ++tries) {
      if (!window_->isActiveWindow()) window_->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window_.get()));
      choose_in_dialog(list, keys, &up);
      QWidget* focused = window_->focusWidget();
      QTest::keyClick(focused != nullptr ? focused : window_.get(), Qt::Key_N,
                      Qt::ControlModifier | Qt::ShiftModifier);
      if (!up) QTest::qWait(50);
    }
    QVERIFY(up);
  }

 private slots:
  void initTestCase() {
    quorlen::configure_application();
    // A bank of three puzzles of the shipped one, all rated 2.x.
    QFile shipped(QUORLEN_TEST_DATA_DIR "/../../data/practice.txt"),
        bank(program_dir_.filePath("practice.txt"));
    QVERIFY(shipped.open(QIODevice::ReadOnly) && bank.open(QIODevice::WriteOnly));
    const QStringList rated = QString::fromLatin1(shipped.readAll()).split('\n').filter("\t2.");
    bank.write(rated.mid(0, 3).join('\n').toLatin1());
    for (const QString& line : rated.mid(0, 3)) bank_ << line.left(81);
  }

  void init() {
    quorlen::PlatformHooks hooks;
    hooks.message_box = [](const std::string&) {};
    hooks.program_directory = quorlen::to_path(program_dir_.path());
    window_ = std::make_unique<quorlen::MainWindow>(std::move(hooks));
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // 2.0-2.9 is the third entry of the rating list: each press poses another
  // of the bank's puzzles until all three have been, givens protected.
  void poses_from_the_bank_without_repeating() {
    QSet<QString> posed;
    for (int i = 0; i < 3; ++i) {
      practise("bands", i == 0 ? QList<Qt::Key>{Qt::Key_Down, Qt::Key_Down} : QList<Qt::Key>{});
      QVERIFY2(bank_.contains(shown()), qPrintable(shown()));
      posed << shown();
      QVERIFY(rating().startsWith("Rating 2."));
      const int given = static_cast<int>(shown().indexOf(QRegularExpression("[1-9]")));
      QVERIFY(window_->sudoku().given_protected(quorlen::grid_index(given / 9, given % 9)));
    }
    QCOMPARE(posed.size(), 3);
    // New takes the rating away with the puzzle.
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdNew"), Qt::LeftButton);
    QCOMPARE(rating(), QString());
  }

  // Any other puzzle posed gets its rating too, once the person's solver
  // has worked it out beside the window.
  void rates_every_posed_puzzle() {
    QTest::keyClick(window_.get(), Qt::Key_1, Qt::ControlModifier);  // a new Easy puzzle
    const auto grid = quorlen::logic::Grid::from_string(shown().toStdString());
    QVERIFY(grid);
    quorlen::logic::Workspace work;
    const quorlen::logic::Rating rated = quorlen::logic::rate(*grid, work);
    QTRY_COMPARE(rating(), QString::fromStdString("Rating " + quorlen::logic::rating_text(rated.er) + ", " +
                                                  rated.hardest));
  }

  // A technique the bank lacks is made in the background and posed; a band
  // it lacks (9.0 and up, the last entry) can be cancelled, and the grid and
  // the window go on as they were.
  void makes_what_the_bank_lacks_and_cancels() {
    practise("techniques", {Qt::Key_Down, Qt::Key_Down});  // Hidden Single
    QProgressDialog* making = window_->practice_maker()->progress();
    QTRY_VERIFY_WITH_TIMEOUT(!window_->practice_maker()->busy(), 60000);
    QVERIFY(!making->isVisible());
    QVERIFY(rating().endsWith(", Hidden Single"));
    const QString posed = shown();
    QVERIFY(!bank_.contains(posed));

    practise("bands", {Qt::Key_End});
    if (QTest::currentTestFailed()) return;
    QVERIFY(window_->practice_maker()->busy() && making->isVisible() && !making->isModal());
    // The window takes typing meanwhile.
    const int empty = static_cast<int>(posed.indexOf('.'));
    QLineEdit* cell = window_->cell(quorlen::grid_index(empty / 9, empty % 9));
    QTest::keyClicks(cell, "5");
    QCOMPARE(cell->text(), QString("5"));
    QTest::mouseClick(making->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(!window_->practice_maker()->busy() && !making->isVisible());
    QTest::qWait(200);
    QCOMPARE(shown(), QString(posed).replace(empty, 1, '5'));
  }
};

QTEST_MAIN(PracticeTest)
#include "practice_test.moc"
