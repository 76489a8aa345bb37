// quorlen: the Sudoku window.
//   quorlen [--new-puzzle LEVEL | FILE]       opens the window, with FILE loaded
//                                             or a new puzzle of LEVEL
//   quorlen --screenshot FILE [--puzzle P]    saves a picture after solving P
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <string_view>

#include "app/application.h"
#include "app/main_window.h"
#include "app/screenshot.h"

namespace {

// The message and the usage lines, and the exit status of a wrong command line.
int usage_error(const QString& message) {
  const std::string_view help = quorlen::usage_text();
  const std::string_view usage = help.substr(0, help.find("\n\n") + 1);
  std::fprintf(stderr, "quorlen: %s\n%.*s", qPrintable(message), static_cast<int>(usage.size()),
               usage.data());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = quorlen::answer_without_display(argc, argv)) return *status;
  quorlen::offscreen_for_screenshot(argc, argv);
  QApplication app(argc, argv);
  quorlen::configure_application();

  QCommandLineParser parser;
  const QCommandLineOption screenshot(QStringLiteral("screenshot"), {}, QStringLiteral("file"));
  const QCommandLineOption puzzle(
      QStringLiteral("puzzle"), {}, QStringLiteral("text"),
      QStringLiteral("..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3.."));
  const QCommandLineOption new_puzzle(QStringLiteral("new-puzzle"), {}, QStringLiteral("level"));
  parser.addOptions({screenshot, puzzle, new_puzzle});
  if (!parser.parse(QApplication::arguments())) return usage_error(parser.errorText());
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return usage_error(QStringLiteral("one FILE at most"));
  if (parser.isSet(screenshot))
    return quorlen::save_screenshot(parser.value(screenshot), parser.value(puzzle));
  std::optional<quorlen::Level> level;
  if (parser.isSet(new_puzzle)) {
    level = quorlen::level_from_option(parser.value(new_puzzle).toStdString());
    if (!level)
      return usage_error(QStringLiteral("--new-puzzle needs easy, medium, difficult or very-difficult"));
    if (!files.isEmpty()) return usage_error(QStringLiteral("--new-puzzle and a FILE do not go together"));
  }

  quorlen::MainWindow window;
  window.show();
  // Once the window is on the screen, so that a file that does not load
  // shows its message over it.
  if (!files.isEmpty()) window.when_shown([&window, file = files.front()] { window.open_file(file); });
  if (level) window.when_shown([&window, level] { window.new_puzzle(*level); });
  return QApplication::exec();
}
