// The grid keys and the clipboard's puzzle string, without a window.
#include "app/cell_keys.h"

#include <QTest>

#include "app/puzzle_text.h"
#include "board/units.h"
#include "support/test_support.h"

using quorlen::CellAction;
using quorlen::CellIntent;
using quorlen::CellMove;

Q_DECLARE_METATYPE(quorlen::CellAction)
Q_DECLARE_METATYPE(quorlen::CellMove)

class CellKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void translates_keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<CellAction>("action");
    QTest::addColumn<CellMove>("move");
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    const auto row = [](const char* name, int key, int modifiers, const QString& text, CellAction action,
                        CellMove move = CellMove::left) {
      QTest::newRow(name) << key << modifiers << text << action << move;
    };
    row("left", Qt::Key_Left, none, {}, CellAction::move, CellMove::left);
    row("down", Qt::Key_Down, none, {}, CellAction::move, CellMove::down);
    row("home", Qt::Key_Home, none, {}, CellAction::move, CellMove::row_start);
    row("end", Qt::Key_End, none, {}, CellAction::move, CellMove::row_end);
    row("ctrl+home", Qt::Key_Home, ctrl, {}, CellAction::move, CellMove::grid_start);
    row("ctrl+end", Qt::Key_End, ctrl, {}, CellAction::move, CellMove::grid_end);
    row("keypad arrow", Qt::Key_Up, keypad, {}, CellAction::move, CellMove::up);
    row("shift+left selects", Qt::Key_Left, shift, {}, CellAction::pass_on);
    row("delete", Qt::Key_Delete, none, {}, CellAction::clear);
    row("backspace", Qt::Key_Backspace, none, {}, CellAction::clear);
    row("space", Qt::Key_Space, none, " ", CellAction::clear);
    row("zero", Qt::Key_0, none, "0", CellAction::clear);
    row("keypad zero", Qt::Key_0, keypad, "0", CellAction::clear);
    row("dot", Qt::Key_Period, none, ".", CellAction::clear);
    row("digit", Qt::Key_7, none, "7", CellAction::replace);
    row("keypad digit", Qt::Key_7, keypad, "7", CellAction::replace);
    row("letter", Qt::Key_A, none, "a", CellAction::replace);
    row("ctrl+v", Qt::Key_V, ctrl, {}, CellAction::paste_grid);
    row("shift+insert", Qt::Key_Insert, shift, {}, CellAction::paste_grid);
    row("ctrl+c", Qt::Key_C, ctrl, {}, CellAction::copy_grid);
    row("ctrl+z", Qt::Key_Z, ctrl, QString(QChar(26)), CellAction::pass_on);
    row("tab", Qt::Key_Tab, none, "\t", CellAction::pass_on);
  }

  void translates_keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(CellAction, action);
    QFETCH(CellMove, move);
    const CellIntent intent = quorlen::translate_cell_key(key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(intent.action, action);
    if (action == CellAction::move) QCOMPARE(intent.move, move);
  }

  // Grid indexes run down the columns; moves stop at the edges.
  void moves_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<CellMove>("move");
    QTest::addColumn<int>("to_row");
    QTest::addColumn<int>("to_col");
    QTest::newRow("right crosses columns") << 0 << 0 << CellMove::right << 0 << 1;
    QTest::newRow("down stays in column") << 0 << 0 << CellMove::down << 1 << 0;
    QTest::newRow("left edge") << 4 << 0 << CellMove::left << 4 << 0;
    QTest::newRow("right edge") << 4 << 8 << CellMove::right << 4 << 8;
    QTest::newRow("top edge") << 0 << 5 << CellMove::up << 0 << 5;
    QTest::newRow("bottom edge") << 8 << 5 << CellMove::down << 8 << 5;
    QTest::newRow("row start") << 6 << 7 << CellMove::row_start << 6 << 0;
    QTest::newRow("row end") << 6 << 2 << CellMove::row_end << 6 << 8;
    QTest::newRow("grid start") << 6 << 7 << CellMove::grid_start << 0 << 0;
    QTest::newRow("grid end") << 1 << 1 << CellMove::grid_end << 8 << 8;
  }

  void moves() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(CellMove, move);
    QFETCH(int, to_row);
    QFETCH(int, to_col);
    QCOMPARE(quorlen::move_target(quorlen::grid_index(row, col), move), quorlen::grid_index(to_row, to_col));
  }

  void parses_puzzle_text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("grid");  // row-major, '.' for empty; "" for no puzzle
    const QString puzzle =
        "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
    QString zeros = puzzle;
    zeros.replace('.', '0');
    QString lines;
    for (int r = 0; r < 9; ++r) lines += puzzle.mid(9 * r, 9) + "\r\n";
    QString drawn;
    for (int r = 0; r < 9; ++r) {
      if (r % 3 == 0) drawn += "+-------+-------+-------+\n";
      for (int c = 0; c < 9; ++c) drawn += QString(c % 3 == 0 ? "| " : "") + puzzle[9 * r + c] + ' ';
      drawn += "|\n";
    }
    drawn += "+-------+-------+-------+\n";
    QString boxed = QString::fromUtf8("║ ") + lines + QString::fromUtf8("═╬═");

    QTest::newRow("one line") << puzzle << puzzle;
    QTest::newRow("zeros for empty") << zeros << puzzle;
    QTest::newRow("nine lines") << lines << puzzle;
    QTest::newRow("drawn grid") << drawn << puzzle;
    QTest::newRow("box drawing") << boxed << puzzle;
    QTest::newRow("80 cells") << puzzle.left(80) << QString();
    QTest::newRow("82 cells") << puzzle + "1" << QString();
    QTest::newRow("letter") << QString(puzzle).replace(0, 1, "x") << QString();
    QTest::newRow("a single digit") << "5" << QString();
    QTest::newRow("empty") << QString() << QString();
  }

  void parses_puzzle_text() {
    QFETCH(QString, text);
    QFETCH(QString, grid);
    const auto cells = quorlen::parse_puzzle_text(text);
    QCOMPARE(cells.has_value(), !grid.isEmpty());
    if (!cells) return;
    for (int i = 0; i < 81; ++i) {
      const std::string& cell = (*cells)[quorlen::grid_index(i / 9, i % 9)];
      QCOMPARE(QString::fromStdString(cell), grid[i] == '.' ? QString() : QString(grid[i]));
    }
  }

  // Copying and pasting back gives the same grid.
  void copies_the_shown_grid() {
    quorlen::testing::ScriptedPlatform platform;
    quorlen::Sudoku window(platform);
    const std::string puzzle =
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
    window.cmdNew_Click();
    quorlen::testing::type_puzzle(window, puzzle);
    const QString text = quorlen::puzzle_text(window.view());
    QCOMPARE(text, QString::fromStdString(puzzle));
    QVERIFY(quorlen::parse_puzzle_text(text).has_value());
  }
};

QTEST_MAIN(CellKeysTest)
#include "cell_keys_test.moc"
