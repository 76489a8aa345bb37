// quorlen-steps-bench: how long the window's steps view makes a person wait
// on the Solves with the most placements: the golden puzzles with the
// longest step logs (solved, and with a wrong given, which run every
// attempt) and the slow grids whose Solve places the most digits. Through
// the real window on the offscreen platform, each time including the
// painting that follows: opening the steps (Ctrl+T, which works the steps
// out again, as after a Solve without the log), the attempt with the most
// steps chosen, a jump to its last step (End) and back (Home), a step
// forward (Down) over every step of it, up to 2,000 (median and maximum),
// closing (Escape). Wall-clock milliseconds, one run each.
//
//   QT_QPA_PLATFORM=offscreen quorlen-steps-bench [DATA_DIR]
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/steps_window.h"

namespace {

using quorlen::DigitGrid;

double ms_of(const std::function<void()>& act) {
  const auto start = std::chrono::steady_clock::now();
  act();
  QApplication::processEvents();  // the repaint it asked for
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) out.push_back(field);
  return out;
}

struct Case {
  std::string name;
  std::string puzzle;
  double size = 0;  // what the case is chosen by
};

// The `count` cases of `all` with the largest size.
std::vector<Case> largest(std::vector<Case> all, std::size_t count) {
  std::sort(all.begin(), all.end(), [](const Case& a, const Case& b) { return a.size > b.size; });
  all.resize(std::min(count, all.size()));
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string data = argc > 1 ? argv[1] : QUORLEN_BENCH_DATA_DIR;
  std::vector<Case> solved, failed, slow;
  std::ifstream golden(data + "/golden_solves.tsv");
  for (std::string line; std::getline(golden, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = fields(line);
    (f[3] == "Sudoku Solved" ? solved : failed).push_back({f[0] + ":" + f[1], f[2], std::stod(f[9])});
  }
  QTemporaryDir dir;
  quorlen::PlatformHooks hooks;
  hooks.message_box = [](const std::string&) {};
  hooks.program_directory = quorlen::to_path(dir.path());
  quorlen::MainWindow window(std::move(hooks));
  window.show();
  const auto pose = [&window](const std::string& puzzle) {
    window.findChild<QPushButton*>("cmdNew")->click();
    window.type_puzzle(*quorlen::parse_puzzle(puzzle));
    window.findChild<QPushButton*>("cmdFreeze")->click();
    window.findChild<QPushButton*>("CmdSolve")->click();
  };
  std::ifstream grids(data + "/slow_grids.tsv");
  int row = 0;
  for (std::string line; std::getline(grids, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::string puzzle = fields(line)[0];
    pose(puzzle);
    slow.push_back({"slow_grids.tsv:" + std::to_string(++row), puzzle,
                    static_cast<double>(window.sudoku().last_solve_steps().placements.size())});
  }

  std::printf("%-26s %6s %6s %6s %7s %8s %8s %7s %7s %7s %7s\n", "puzzle", "steps", "groups", "most", "open",
              "attempt", "end", "home", "step-med", "step-max", "close");
  for (const std::vector<Case>& cases : {largest(solved, 4), largest(failed, 4), largest(slow, 4)}) {
    for (const Case& c : cases) {
      pose(c.puzzle);
      const double open = ms_of([&] { window.menu_actions().steps->trigger(); });
      quorlen::StepsWindow* steps = window.steps_window();
      QListView* list = steps->list();
      const quorlen::StepsBrowser& browser = *window.sudoku().steps_shown();
      const std::size_t placements = browser.steps().placements.size();
      const std::size_t groups = browser.groups().size();
      // The attempt with the most steps, for the list's own work.
      std::size_t largest_group = 0;
      for (std::size_t g = 0; g < groups; ++g)
        if (browser.groups()[g].count > browser.groups()[largest_group].count) largest_group = g;
      const std::size_t most = browser.groups()[largest_group].count;
      const double attempt =
          ms_of([&] { steps->attempts()->setCurrentIndex(static_cast<int>(largest_group)); });
      const double end = ms_of([&] { QTest::keyClick(list, Qt::Key_End); });
      const double home = ms_of([&] { QTest::keyClick(list, Qt::Key_Home); });
      std::vector<double> step;
      for (std::size_t s = 1; s < std::min<std::size_t>(most, 2000); ++s)
        step.push_back(ms_of([&] { QTest::keyClick(list, Qt::Key_Down); }));
      std::sort(step.begin(), step.end());
      const double close = ms_of([&] { QTest::keyClick(list, Qt::Key_Escape); });
      std::printf("%-26s %6zu %6zu %6zu %7.2f %7.2f %7.2f %7.2f %8.3f %8.3f %7.2f\n", c.name.c_str(),
                  placements, groups, most, open, attempt, end, home,
                  step.empty() ? 0.0 : step[step.size() / 2], step.empty() ? 0.0 : step.back(), close);
    }
  }
}
