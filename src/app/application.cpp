#include "app/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quorlen {

const char* usage_text() {
  return "usage: quorlen [--new-puzzle LEVEL | FILE.sud]\n"
         "       quorlen --screenshot IMAGE [--puzzle PUZZLE]\n"
         "\n"
         "Opens the Quorlen window.\n"
         "\n"
         "  FILE.sud             start with this puzzle file loaded\n"
         "  --new-puzzle LEVEL   start with a new puzzle of LEVEL: easy, medium,\n"
         "                       difficult or very-difficult\n"
         "  --screenshot IMAGE   solve PUZZLE and save a picture of the window in\n"
         "                       IMAGE, without a display\n"
         "  --puzzle PUZZLE      the puzzle for --screenshot, 81 characters row\n"
         "                       by row, . or 0 for an empty cell\n"
         "  -h, --help           show this text\n"
         "  --version            show the version\n"
         "\n"
         "Qt's own options, such as -platform NAME, work too.\n";
}

std::optional<int> answer_without_display(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    const char* answer = arg == "-h" || arg == "--help" ? usage_text()
                         : arg == "--version"           ? "quorlen " QUORLEN_VERSION "\n"
                                                        : nullptr;
    if (answer == nullptr) continue;
    const bool written = std::fputs(answer, stdout) >= 0 && std::fflush(stdout) == 0;
    if (!written) std::perror("quorlen: standard output");
    return written ? 0 : 1;
  }
  return std::nullopt;
}

void offscreen_for_screenshot(int argc, char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0') return;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") return;
    if (arg == "--screenshot" || arg.starts_with("--screenshot=")) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      return;
    }
  }
}

void configure_application() {
  QApplication::setApplicationName(QStringLiteral("Quorlen"));
  // Fusion paints buttons and text boxes from the palette, so the design's
  // button face and box colours show on every desktop; native themes may
  // ignore them.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QIcon icon;  // PNGs, which need no image plugin
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/quorlen-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  // Lets the desktop match the window to its launcher and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quorlen.Quorlen"));
}

}  // namespace quorlen
