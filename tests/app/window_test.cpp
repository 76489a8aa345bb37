// The window as a person uses it: real clicks on the buttons, real keys in
// the cells, the message box and the file dialogs answered by doubles.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

#include "app/main_window.h"
#include "board/units.h"

using quorlen::FileDialogRequest;
using quorlen::FileDialogResult;
using quorlen::grid_index;
using quorlen::MainWindow;

namespace {

const QString kEasy = "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
const QString kHard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
const QColor kGiven(255, 100, 100);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir program_dir_;
  std::unique_ptr<MainWindow> window_;
  QStringList messages_;
  QStringList grid_at_message_;  // what the cells showed while each box was up
  std::deque<FileDialogResult> answers_;
  std::vector<FileDialogRequest> requests_;

  QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(name); }
  QLabel* label(const char* name) const { return window_->findChild<QLabel*>(name); }
  QCheckBox* check2() const { return window_->findChild<QCheckBox*>("Check2"); }
  QLineEdit* cell(int row, int col) const { return window_->cell(grid_index(row, col)); }
  static QColor colour(const QLineEdit* cell) { return cell->palette().color(QPalette::Text); }

  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

  // The grid as the cells show it, row by row, '.' for an empty cell.
  QString shown() const {
    QString grid;
    for (int i = 0; i < 81; ++i) {
      const QString text = cell(i / 9, i % 9)->text();
      grid += text.isEmpty() ? QString('.') : text.left(1);
    }
    return grid;
  }

  void type_puzzle(const QString& puzzle) {
    for (int i = 0; i < 81; ++i) {
      if (puzzle[i] != '.') QTest::keyClicks(cell(i / 9, i % 9), puzzle.mid(i, 1));
    }
  }

  void enter_puzzle(const QString& puzzle) {
    click("cmdNew");
    type_puzzle(puzzle);
    click("cmdFreeze");
  }

  void focus_window() {
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  static bool is_solution(const QString& grid, const QString& givens) {
    for (int i = 0; i < 81; ++i) {
      if (grid[i] < '1' || grid[i] > '9' || (givens[i] != '.' && givens[i] != grid[i])) return false;
      for (int j = 0; j < 81; ++j) {
        const bool peer = i / 9 == j / 9 || i % 9 == j % 9 || (i / 27 == j / 27 && i % 9 / 3 == j % 9 / 3);
        if (i != j && peer && grid[i] == grid[j]) return false;
      }
    }
    return true;
  }

 private slots:
  void init() {
    messages_.clear();
    grid_at_message_.clear();
    answers_.clear();
    requests_.clear();
    quorlen::PlatformHooks hooks;
    hooks.message_box = [this](const std::string& text) {
      messages_ << QString::fromStdString(text);
      grid_at_message_ << shown();
    };
    hooks.file_dialog = [this](const FileDialogRequest& request) {
      requests_.push_back(request);
      if (answers_.empty()) return FileDialogResult{false, {}, "Cancel was selected."};
      FileDialogResult answer = answers_.front();
      answers_.pop_front();
      return answer;
    };
    hooks.program_directory = quorlen::to_path(program_dir_.path());
    window_ = std::make_unique<MainWindow>(std::move(hooks));
    QFile::remove(program_dir_.filePath("steps.txt"));
  }

  void cleanup() { window_.reset(); }

  void window_starts_with_only_new() {
    QCOMPARE(window_->windowTitle(), QString("Quorlen - By Marrowby"));
    QCOMPARE(window_->size(), QSize(755, 578));
    QVERIFY(button("cmdNew")->isEnabled());
    for (const char* name : {"cmdLoad", "cmdSave", "cmdFreeze", "cmdRestart", "CmdSolve"}) {
      QVERIFY2(!button(name)->isEnabled(), name);
    }
    for (int i = 0; i < 81; ++i) QVERIFY(!window_->cell(i)->isEnabled());
    QTest::keyClicks(cell(0, 0), "5");
    QCOMPARE(cell(0, 0)->text(), QString());
    QCOMPARE(label("Label1")->text(), QString());
    QCOMPARE(label("Label4")->text(), QString());
    QVERIFY(!check2()->isChecked());
    QCOMPARE(cell(2, 4)->accessibleName(), QString("row 3, column 5"));
  }

  void places_controls_as_designed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Text1(9) top of 2nd column") << "Text1_9" << QRect(96, 104, 81, 41);
    QTest::newRow("Text1(80) bottom-right") << "Text1_80" << QRect(656, 424, 81, 41);
    QTest::newRow("CmdSolve") << "CmdSolve" << QRect(640, 24, 73, 33);
    QTest::newRow("Check2") << "Check2" << QRect(536, 488, 97, 33);
    QTest::newRow("Label2") << "Label2" << QRect(104, 536, 585, 25);
  }

  void places_controls_as_designed() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    auto* widget = window_->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), rect);
  }

  // Frames and box colours, read off the painted window.
  void paints_frames_and_boxes_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");
    const QColor frame(255, 128, 0), light(255, 224, 192), dark(255, 192, 128);
    QTest::newRow("Shape1 left edge") << QPoint(8, 300) << frame;
    QTest::newRow("Line1") << QPoint(232, 40) << frame;
    QTest::newRow("Shape4 right edge") << QPoint(745, 40) << frame;
    QTest::newRow("window") << QPoint(300, 80) << light;
    QTest::newRow("top-middle box") << QPoint(270, 115) << light;
    QTest::newRow("centre box") << QPoint(350, 235) << dark;
    QTest::newRow("button face") << QPoint(14, 30) << dark;
  }

  void paints_frames_and_boxes() {
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    const QImage image = window_->grab().toImage();
    QCOMPARE(image.pixelColor(point), colour);
  }

  void check_box_lies_over_label1() {
    auto* box = check2();
    QCOMPARE(window_->childAt(box->geometry().center()), box);
    QVERIFY(label("Label1")->geometry().contains(box->geometry().center()));
  }

  void solves_through_the_buttons_data() {
    QTest::addColumn<QString>("puzzle");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label4");
    QTest::addColumn<bool>("solved");
    QTest::newRow("no guess") << kEasy << "Sudoku Solved"
                              << "Difficulty     : 1 (Medium)"
                              << "No" << true;
    QTest::newRow("with guesses") << kHard << "Sudoku Solved"
                                  << "Difficulty     : 229 (Very Difficult)"
                                  << "Yes  122" << true;
    QTest::newRow("complete grid")
        << "483921657967345821251876493548132976729564138136798245372689514814253769695417382"
        << "Sudoku Solved"
        << "Difficulty     : 0 (Easy)"
        << "No" << true;
    QString repeated(81, '.');
    repeated[0] = repeated[36] = '5';
    QTest::newRow("repeated given")
        << repeated << "   Validation failed for column 1 - The number 5 is getting repeated   1  5"
        << ""
        << "No" << false;
    QString contradiction = "12345678" + QString(73, '.');
    contradiction[16] = '9';
    QTest::newRow("contradiction") << contradiction << "The sudoku is not solvable"
                                   << ""
                                   << "No" << false;
    QString dead_end = "12345678" + QString(73, '.');
    dead_end[80] = '9';
    QTest::newRow("guesses run out") << dead_end << "The sudoku is not solvable (can't be completed)."
                                     << ""
                                     << "Yes  474" << false;
  }

  void solves_through_the_buttons() {
    QFETCH(QString, puzzle);
    QFETCH(QString, message);
    QFETCH(QString, label1);
    QFETCH(QString, label4);
    QFETCH(bool, solved);

    enter_puzzle(puzzle);
    QVERIFY(button("CmdSolve")->isEnabled());
    QVERIFY(button("cmdRestart")->isEnabled());
    click("CmdSolve");

    QCOMPARE(messages_, QStringList{message});
    QVERIFY(!QFile::exists(program_dir_.filePath("steps.txt")));  // "Save to File" unticked
    QCOMPARE(label("Label1")->text(), label1);
    QCOMPARE(label("Label4")->text(), label4);
    // The grid on screen was already final while the box was up.
    QCOMPARE(grid_at_message_.front(), shown());
    if (solved) {
      QVERIFY(is_solution(shown(), puzzle));
    } else {
      QCOMPARE(shown(), puzzle);
    }
    for (int i = 0; i < 81; ++i) {
      if (puzzle[i] != '.') {
        QCOMPARE(colour(cell(i / 9, i % 9)), kGiven);
      } else if (solved) {
        QCOMPARE(colour(cell(i / 9, i % 9)), kBlue);
      }
    }
  }

  void restart_brings_back_the_givens() {
    enter_puzzle(kEasy);
    click("CmdSolve");
    click("cmdRestart");
    QCOMPARE(shown(), kEasy);
    QCOMPARE(colour(cell(0, 2)), kGiven);
    // A cell the solver filled keeps its blue, and a digit typed there shows it.
    QLineEdit* emptied = cell(0, 0);
    QCOMPARE(colour(emptied), kBlue);
    QTest::keyClicks(emptied, "4");
    QCOMPARE(emptied->text(), QString("4"));
    QCOMPARE(colour(emptied), kBlue);
    QCOMPARE(label("Label1")->text(), QString("Difficulty     : 1 (Medium)"));
    click("cmdNew");
    QCOMPARE(shown(), QString(81, '.'));
    QCOMPARE(colour(emptied), kBlack);
    QVERIFY(!button("CmdSolve")->isEnabled());
  }

  void step_log_records_each_placement() {
    QTest::mouseClick(check2(), Qt::LeftButton);
    QVERIFY(check2()->isChecked());
    QVERIFY(window_->sudoku().view().Check2);
    enter_puzzle(kEasy);
    click("CmdSolve");
    QCOMPARE(messages_, QStringList{"Sudoku Solved"});

    QFile log(program_dir_.filePath("steps.txt"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(log.readAll());
    QVERIFY(content.endsWith("\r\n"));
    const QRegularExpression record(R"re(^" Column ([1-9]) row ([1-9])  :Value([1-9])"$)re");
    QString logged(81, '.');
    for (const QString& line : content.split("\r\n", Qt::SkipEmptyParts)) {
      const auto match = record.match(line);
      QVERIFY2(match.hasMatch(), qPrintable(line));
      logged[9 * (match.captured(2).toInt() - 1) + match.captured(1).toInt() - 1] = match.captured(3)[0];
    }
    for (int i = 0; i < 81; ++i) QCOMPARE(logged[i], kEasy[i] == '.' ? shown()[i] : QChar('.'));
  }

  // Load and Save are driven through the dialog double: the requests it
  // receives, the file Save writes and the grid Load fills.
  void saves_and_loads_through_the_dialogs() {
    const QString file = program_dir_.filePath("puzzle.sud");
    click("cmdNew");
    type_puzzle(kEasy);
    answers_.push_back({true, quorlen::to_path(file), {}});
    click("cmdSave");
    QCOMPARE(messages_, QStringList{});

    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(saved.readAll()).split("\r\n");
    QCOMPARE(lines.size(), 82);  // 81 lines, each ended by CR LF
    QCOMPARE(lines[0], QString(" 0 "));
    QCOMPARE(lines[9 * 2], QString("3"));  // Text1(18): top of the third column

    click("cmdNew");
    answers_.push_back({true, quorlen::to_path(file), {}});
    click("cmdLoad");
    QCOMPARE(messages_, QStringList{});
    QCOMPARE(shown(), kEasy);
    QCOMPARE(colour(cell(0, 2)), kBlack);
    QVERIFY(button("cmdSave")->isEnabled());
    QVERIFY(!button("CmdSolve")->isEnabled());
    QVERIFY(!button("cmdRestart")->isEnabled());

    QCOMPARE(requests_.size(), std::size_t{2});
    const QString examples = QDir::cleanPath(program_dir_.filePath("examples"));
    const auto check = [&](const FileDialogRequest& request, quorlen::FileDialogKind kind, const char* title,
                           const char* filter) {
      QCOMPARE(request.kind, kind);
      QCOMPARE(QString::fromStdString(request.title), QString(title));
      QCOMPARE(QString::fromStdString(request.filter), QString(filter));
      QCOMPARE(QDir::cleanPath(quorlen::to_qstring(request.initial_dir)), examples);
    };
    check(requests_[0], quorlen::FileDialogKind::save, " Save Soduku ", "Sudoku files (*.sud)");
    check(requests_[1], quorlen::FileDialogKind::open, " Open Sudoku ", "Soduku Files (*.sud)");

    click("cmdFreeze");
    click("CmdSolve");
    QCOMPARE(messages_, QStringList{"Sudoku Solved"});
  }

  void cancelled_dialog_changes_nothing_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Load") << "cmdLoad";
    QTest::newRow("Save") << "cmdSave";
  }

  void cancelled_dialog_changes_nothing() {
    QFETCH(QString, command);
    enter_puzzle(kEasy);
    click(qPrintable(command));  // the double answers with a cancel
    QCOMPARE(messages_, QStringList{"Cancel was selected."});
    QCOMPARE(grid_at_message_.front(), kEasy);
    QCOMPARE(shown(), kEasy);
    QVERIFY(button("CmdSolve")->isEnabled());
  }

  void keys_move_between_cells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("to_row");
    QTest::addColumn<int>("to_col");
    const int none = Qt::NoModifier;
    QTest::newRow("right") << 0 << 0 << int(Qt::Key_Right) << none << 0 << 1;
    QTest::newRow("down") << 0 << 0 << int(Qt::Key_Down) << none << 1 << 0;
    QTest::newRow("left at the edge") << 4 << 0 << int(Qt::Key_Left) << none << 4 << 0;
    QTest::newRow("up") << 4 << 4 << int(Qt::Key_Up) << none << 3 << 4;
    QTest::newRow("home") << 4 << 6 << int(Qt::Key_Home) << none << 4 << 0;
    QTest::newRow("end") << 4 << 2 << int(Qt::Key_End) << none << 4 << 8;
    QTest::newRow("ctrl+end") << 4 << 4 << int(Qt::Key_End) << int(Qt::ControlModifier) << 8 << 8;
    QTest::newRow("tab wraps to next row") << 0 << 8 << int(Qt::Key_Tab) << none << 1 << 0;
    QTest::newRow("shift+tab") << 1 << 0 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 0 << 8;
  }

  void keys_move_between_cells() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, to_row);
    QFETCH(int, to_col);
    focus_window();
    click("cmdNew");
    QTest::keyClicks(cell(to_row, to_col), "6");
    cell(row, col)->setFocus();
    QTest::keyClick(cell(row, col), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget(), cell(to_row, to_col));
    // The digit of the cell reached is selected: typing replaces it.
    QCOMPARE(cell(to_row, to_col)->selectedText(), QString("6"));
    QTest::keyClicks(cell(to_row, to_col), "8");
    QCOMPARE(cell(to_row, to_col)->text(), QString("8"));
  }

  void keys_edit_the_cell_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("delete") << int(Qt::Key_Delete) << QString();
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << QString();
    QTest::newRow("space") << int(Qt::Key_Space) << QString();
    QTest::newRow("zero") << int(Qt::Key_0) << QString();
    QTest::newRow("dot") << int(Qt::Key_Period) << QString();
    QTest::newRow("letter") << int(Qt::Key_A) << QString();
    QTest::newRow("digit replaces") << int(Qt::Key_7) << QString("7");
  }

  void keys_edit_the_cell() {
    QFETCH(int, key);
    QFETCH(QString, text);
    focus_window();
    click("cmdNew");
    QLineEdit* target = cell(3, 3);
    QTest::keyClicks(target, "5");
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(target->selectedText(), QString("5"));  // a click selects the digit
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(target->text(), text);
    QCOMPARE(QString::fromStdString(window_->sudoku().view().cell_text(grid_index(3, 3))), text);
  }

  // A text the program sets is shown whole even where it is longer than
  // typing may enter; typing then replaces it with one character.
  void program_texts_are_not_cut() {
    click("cmdNew");
    window_->sudoku().view().set_cell_text(grid_index(0, 0), "12");
    window_->sync();
    QCOMPARE(cell(0, 0)->text(), QString("12"));
    QTest::keyClicks(cell(0, 0), "5");
    QCOMPARE(cell(0, 0)->text(), QString("5"));
    QCOMPARE(cell(0, 0)->maxLength(), 1);
  }

  void paste_fills_the_grid_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("grid");
    QString drawn;
    for (int r = 0; r < 9; ++r)
      drawn += kHard.mid(9 * r, 3) + '|' + kHard.mid(9 * r + 3, 3) + '|' + kHard.mid(9 * r + 6, 3) + '\n';
    QTest::newRow("puzzle line") << kEasy << kEasy;
    QTest::newRow("drawn grid") << drawn << kHard;
    // Not a puzzle: an ordinary paste into the focused cell, as if typed.
    const QString untouched = QString(80, '.') + '3';
    QTest::newRow("a digit") << "7"
                             << "7" + untouched.mid(1);
    QTest::newRow("80 cells") << kHard.left(80) << "4" + untouched.mid(1);
    QTest::newRow("text") << "hello" << untouched;
  }

  void paste_fills_the_grid() {
    QFETCH(QString, clipboard);
    QFETCH(QString, grid);
    focus_window();
    click("cmdNew");
    QTest::keyClicks(cell(8, 8), "3");  // replaced by any puzzle pasted
    QApplication::clipboard()->setText(clipboard);
    cell(0, 0)->setFocus();
    QTest::keyClick(cell(0, 0), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(shown(), grid);
    for (int i = 0; i < 81; ++i) QCOMPARE(colour(cell(i / 9, i % 9)), kBlack);
  }

  // Away from the cells Ctrl+V and Ctrl+C still work on the grid, and a
  // locked grid takes nothing.
  void clipboard_keys_outside_the_grid() {
    focus_window();
    button("cmdNew")->setFocus();
    QApplication::clipboard()->setText(kEasy);
    QTest::keyClick(button("cmdNew"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(shown(), QString(81, '.'));

    click("cmdNew");
    QTest::keyClick(button("cmdNew"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(shown(), kEasy);
    click("cmdFreeze");
    click("CmdSolve");
    QApplication::clipboard()->clear();
    QTest::keyClick(button("CmdSolve"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), shown());
    QVERIFY(is_solution(shown(), kEasy));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
