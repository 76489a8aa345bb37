#include "app/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <utility>

#include "game/game_file.h"
#include "game/puzzle_text.h"

namespace quorlen {

const char* usage_text() {
  return "usage: quorlen [--continue | --new-puzzle LEVEL | --puzzle PUZZLE | FILE]\n"
         "       quorlen --screenshot IMAGE [--puzzle PUZZLE]\n"
         "\n"
         "Opens the Quorlen window.\n"
         "\n"
         "  FILE                 start with this file: a .sud puzzle file loaded,\n"
         "                       or a .quorlen game opened\n"
         "  --continue           start with the last game, where it was left\n"
         "  --new-puzzle LEVEL   start with a new puzzle of LEVEL: easy, medium,\n"
         "                       difficult or very-difficult\n"
         "  --puzzle PUZZLE      start with this puzzle posed: 81 characters row\n"
         "                       by row, . or 0 for an empty cell, or a line of\n"
         "                       Copy with progress\n"
         "  --screenshot IMAGE   solve PUZZLE and save a picture of the window in\n"
         "                       IMAGE, without a display\n"
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

std::string single_quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The first thing wrong with options that do not go together, or nothing:
// the window starts with one game at most.
std::string mismatch(const WindowOptions& o) {
  const std::string file = o.file ? "the FILE " + single_quoted(*o.file) : std::string();
  const std::pair<bool, std::string> starts[] = {{o.screenshot.has_value(), "--screenshot"},
                                                 {o.continue_game, "--continue"},
                                                 {o.level.has_value(), "--new-puzzle"},
                                                 {o.puzzle.has_value() && !o.screenshot, "--puzzle"},
                                                 {o.file.has_value(), file}};
  const std::string* first = nullptr;
  for (const auto& [given, name] : starts) {
    if (!given) continue;
    if (first != nullptr) return *first + " and " + name + " do not go together";
    first = &name;
  }
  if (o.puzzle && !o.screenshot) {
    if (const FileResult<PuzzleText> read = read_puzzle_text(*o.puzzle); !read) {
      const std::string& why = read.error().message;
      return "--puzzle " + single_quoted(*o.puzzle) + " is not a puzzle" +
             why.substr(std::min(why.find(':'), why.size()));
    }
  }
  return {};
}

}  // namespace

bool is_game_file(std::string_view file) { return file.ends_with(kGameFileExtension); }

WindowCommandLine read_command_line(int argc, char** argv) {
  WindowCommandLine line;
  WindowOptions& o = line.options;
  bool files_only = false;
  for (int i = 1; i < argc && line.error.empty(); ++i) {
    const std::string_view arg = argv[i];
    if (files_only || arg.size() < 2 || arg.front() != '-') {
      if (o.file)
        line.error = "one FILE at most, not " + single_quoted(*o.file) + " and " + single_quoted(arg);
      o.file = arg;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const std::string_view bare = name.substr(name.starts_with("--") ? 2 : 1);
    const bool own = name == "--screenshot" || name == "--puzzle" || name == "--new-puzzle";
    if (arg == "--continue") {
      o.continue_game = true;
      continue;
    }
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
        line.error =
            "--new-puzzle needs easy, medium, difficult or very-difficult, not " + single_quoted(*value);
    } else if (arg != "-h" && arg != "--help" && arg != "--version" && !among(kQtOptionsWithValue, bare) &&
               !among(kQtFlags, bare)) {
      line.error = "unknown option " + single_quoted(arg);
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
