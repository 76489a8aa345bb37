#include "app/screenshot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "app/main_window.h"
#include "app/status_line.h"
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
  // The status line's rating is worked out beside the window: wait for it
  // (a moment for a sample puzzle), so that every picture is the same; the
  // window itself takes no events meanwhile, as it took none before.
  QElapsedTimer waited;
  waited.start();
  while (window.sudoku().path_working() && waited.elapsed() < 10000) QThread::msleep(5);
  window.status_line()->show_status(window.sudoku());
  // The status line lays its parts out once its texts are set.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

  if (!window.grab().save(file)) {
    std::fprintf(stderr, "quorlen: cannot write '%s'\n", qPrintable(file));
    return 1;
  }
  return 0;
}

}  // namespace quorlen
