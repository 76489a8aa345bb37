// The key translator and the clipboard's puzzle string, without a window.
#include "app/cell_keys.h"

#include <QTest>

#include "app/puzzle_text.h"
#include "board/units.h"

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
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    const auto row = [](const char* name, int key, int modifiers, const QString& text, CellAction action,
                        CellMove move = CellMove::left) {
      QTest::newRow(name) << key << modifiers << text << action << move;
    };
    // Arrows, Home/End, Tab, the editing keys and Ctrl+V/C in their plain
    // forms are exercised through the window; these are the other forms.
    row("keypad arrow", Qt::Key_Up, keypad, {}, CellAction::move, CellMove::up);
    row("ctrl+home", Qt::Key_Home, ctrl, {}, CellAction::move, CellMove::grid_start);
    row("shift+left selects", Qt::Key_Left, shift, {}, CellAction::pass_on);
    row("keypad zero", Qt::Key_0, keypad, "0", CellAction::clear);
    row("keypad digit", Qt::Key_7, keypad, "7", CellAction::replace);
    row("shift+insert", Qt::Key_Insert, shift, {}, CellAction::paste_grid);
    row("ctrl+insert", Qt::Key_Insert, ctrl, {}, CellAction::copy_grid);
    row("ctrl+z", Qt::Key_Z, ctrl, QString(QChar(26)), CellAction::pass_on);
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
};

QTEST_MAIN(CellKeysTest)
#include "cell_keys_test.moc"
