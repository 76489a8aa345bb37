// quorlen: the Sudoku window.
//   quorlen [FILE]                            opens the window, with FILE loaded
//   quorlen --screenshot FILE [--puzzle P]    saves a picture after solving P
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>

#include "app/main_window.h"
#include "app/screenshot.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quorlen::configure_application();
  QIcon icon;  // PNGs, which need no image plugin
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/quorlen-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  // Lets the desktop match the window to its launcher and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quorlen.Quorlen"));

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
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .sud puzzle file to load."),
                               QStringLiteral("[file]"));
  parser.process(app);
  if (parser.isSet(screenshot))
    return quorlen::save_screenshot(parser.value(screenshot), parser.value(puzzle));

  quorlen::MainWindow window;
  window.show();
  if (!parser.positionalArguments().isEmpty()) {
    // Once the window is up, so that a file that does not load shows its
    // message over it.
    QTimer::singleShot(0, &window,
                       [&window, file = parser.positionalArguments().front()] { window.open_file(file); });
  }
  return QApplication::exec();
}
