#include "app/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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

namespace {

// Qt's own options, as QGuiApplication and QApplication document them and
// as Qt 6's X11 platform reads them (-display, -name, -visual and the grabs).
constexpr std::string_view kQtOptionsWithValue[] = {"platform",        "platformpluginpath",
                                                    "platformtheme",   "plugin",
                                                    "qwindowgeometry", "geometry",
                                                    "qwindowicon",     "icon",
                                                    "qwindowtitle",    "title",
                                                    "display",         "name",
                                                    "visual",          "style",
                                                    "stylesheet",      "session"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "qmljsdebugger"};

template <std::size_t N>
bool among(const std::string_view (&names)[N], std::string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The first thing wrong with options that do not go together, or nothing.
std::string mismatch(const WindowOptions& o) {
  if (o.screenshot && o.level) return "--screenshot and --new-puzzle do not go together";
  if (o.screenshot && o.file) return "--screenshot and the FILE " + quoted(*o.file) + " do not go together";
  if (o.puzzle && !o.screenshot) return "--puzzle goes with --screenshot";
  if (o.level && o.file) return "--new-puzzle and the FILE " + quoted(*o.file) + " do not go together";
  return {};
}

}  // namespace

WindowCommandLine read_command_line(int argc, char** argv) {
  WindowCommandLine line;
  WindowOptions& o = line.options;
  bool files_only = false;
  for (int i = 1; i < argc && line.error.empty(); ++i) {
    const std::string_view arg = argv[i];
    if (files_only || arg.size() < 2 || arg.front() != '-') {
      if (o.file) line.error = "one FILE at most, not " + quoted(*o.file) + " and " + quoted(arg);
      o.file = arg;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const std::string_view bare = name.substr(name.starts_with("--") ? 2 : 1);
    const bool own = name == "--screenshot" || name == "--puzzle" || name == "--new-puzzle";
    std::optional<std::string_view> value;
    if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if ((own || among(kQtOptionsWithValue, bare)) && i + 1 < argc) {
      value = argv[++i];
    }
    if (arg == "--") {
      files_only = true;
    } else if (own && (!value || value->empty())) {
      line.error = std::string(name) + " needs a value";
    } else if (name == "--screenshot") {
      o.screenshot = *value;
    } else if (name == "--puzzle") {
      o.puzzle = *value;
    } else if (name == "--new-puzzle") {
      o.level = level_from_option(*value);
      if (!o.level)
        line.error = "--new-puzzle needs easy, medium, difficult or very-difficult, not " + quoted(*value);
    } else if (arg != "-h" && arg != "--help" && arg != "--version" && !among(kQtOptionsWithValue, bare) &&
               !among(kQtFlags, bare)) {
      line.error = "unknown option " + quoted(arg);
    }
  }
  if (line.error.empty()) line.error = mismatch(o);
  return line;
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
