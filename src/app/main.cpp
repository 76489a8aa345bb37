// quorlen: the Sudoku window.
//   quorlen                                   opens the window
//   quorlen --screenshot FILE [--puzzle P]    saves a picture after solving P
#include <QApplication>
#include <QCommandLineParser>

#include "app/main_window.h"
#include "app/screenshot.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quorlen::configure_application();

  QCommandLineParser parser;
  parser.addHelpOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Solve a puzzle and save the window as an image."),
                                      QStringLiteral("file"));
  const QCommandLineOption puzzle(
      QStringLiteral("puzzle"), QStringLiteral("The puzzle for --screenshot, 81 characters row by row."),
      QStringLiteral("text"),
      QStringLiteral("..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3.."));
  parser.addOption(screenshot);
  parser.addOption(puzzle);
  parser.process(app);
  if (parser.isSet(screenshot))
    return quorlen::save_screenshot(parser.value(screenshot), parser.value(puzzle));

  quorlen::MainWindow window;
  window.show();
  return QApplication::exec();
}
