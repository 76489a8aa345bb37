// quorlen: the Sudoku window.
//   quorlen [--continue | --new-puzzle LEVEL | --puzzle P | FILE]
//                                             opens the window, with the last
//                                             game, a new puzzle of LEVEL, the
//                                             puzzle P or FILE
//   quorlen --screenshot FILE [--puzzle P]    saves a picture after solving P
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <string_view>

#include "app/application.h"
#include "app/main_window.h"
#include "app/screenshot.h"

namespace {

// The message and the usage lines, and the exit status of a wrong command line.
int usage_error(const std::string& message) {
  const std::string_view help = quorlen::usage_text();
  const std::string_view usage = help.substr(0, help.find("\n\n") + 1);
  std::fprintf(stderr, "quorlen: %s\n%.*s", message.c_str(), static_cast<int>(usage.size()), usage.data());
  return 2;
}

QString from_argument(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = quorlen::answer_without_display(argc, argv)) return *status;
  const quorlen::WindowCommandLine line = quorlen::read_command_line(argc, argv);
  if (!line.error.empty()) return usage_error(line.error);
  const quorlen::WindowOptions& options = line.options;
  quorlen::offscreen_for_screenshot(argc, argv);
  QApplication app(argc, argv);
  quorlen::configure_application();

  if (options.screenshot) {
    return quorlen::save_screenshot(
        from_argument(*options.screenshot),
        from_argument(options.puzzle.value_or(
            "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..")));
  }
  quorlen::MainWindow window;
  window.keep_between_runs();
  window.show();
  // Once the window is on the screen, so that a file that does not load
  // shows its message over it.
  if (options.file) {
    window.when_shown(
        [&window, game = quorlen::is_game_file(*options.file), file = from_argument(*options.file)] {
          game ? window.open_game(file) : window.open_file(file);
        });
  }
  if (options.level) window.when_shown([&window, level = options.level] { window.new_puzzle(*level); });
  if (options.continue_game) window.when_shown([&window] { window.continue_game(); });
  if (options.puzzle)
    window.when_shown([&window, text = from_argument(*options.puzzle)] { window.read_text(text, true); });
  return QApplication::exec();
}
