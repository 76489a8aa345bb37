#include "app/screenshot.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_window.h"
#include "game/puzzle_text.h"

namespace quorlen {

int save_screenshot(const QString& file, const QString& puzzle) {
  QTemporaryDir program_dir;  // nowhere near the real program's folder
  PlatformHooks hooks;
  hooks.message_box = [](const std::string& text) { std::printf("message: %s\n", text.c_str()); };
  hooks.program_directory = to_path(program_dir.path());
  MainWindow window(std::move(hooks));
  window.show();

  const auto click = [&window](const char* name) {
    window.findChild<QPushButton*>(QLatin1String(name))->click();
  };
  click("cmdNew");
  const FileResult<PuzzleText> read = read_puzzle_text(puzzle.toStdString());
  if (!read || read.value().progress) {
    std::fprintf(stderr, "quorlen: --puzzle needs 81 characters 1-9, 0 or ., not '%s'\n", qPrintable(puzzle));
    return 2;
  }
  window.type_puzzle(read.value().givens);
  click("cmdFreeze");
  click("CmdSolve");
  // The status line lays its parts out once its texts are set.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

  if (!window.grab().save(file)) {
    std::fprintf(stderr, "quorlen: cannot write '%s'\n", qPrintable(file));
    return 1;
  }
  return 0;
}

}  // namespace quorlen
