// The window logic as a user drives it, scenario by scenario: the scenarios
// are text files under tests/data/scenarios (their README gives the words).
// Each runs on a new window whose program folder is a new empty folder, with
// the real handlers, the real file code and a headless platform.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "board/units.h"
#include "support/scratch_dir.h"
#include "support/text_cases.h"
#include "ui/headless_platform.h"
#include "ui/play_texts.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

class ScenarioRun {
 public:
  void run(const testing::TextCase& scenario) {
    for (const auto& [number, line] : scenario.lines) {
      SCOPED_TRACE(scenario.file + ":" + std::to_string(number) + ": " + line);
      const std::vector<std::string> w = testing::words_of(line);
      const auto command = commands_.find(w[0]);
      if (command != commands_.end()) {
        step();
        ((*window_).*command->second)();
      } else if (!act(w) && !check(w)) {
        ADD_FAILURE() << "unknown word " << w[0];
      }
    }
  }

  ~ScenarioRun() {
    EXPECT_EQ(::seteuid(::getuid()) | ::setegid(::getgid()), 0);
    ::umask(umask_);
    ::setrlimit(RLIMIT_FSIZE, &fsize_);
    if (sigxfsz_ != nullptr) std::signal(SIGXFSZ, sigxfsz_);
  }

 private:
  std::string expand(std::string text) const {
    for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;) text.replace(at, 5, dir_.path);
    return text;
  }
  // A pattern of 81 characters, row by row, from what `of(index)` shows.
  static std::string row_by_row(const std::function<char(int)>& of) {
    std::string text;
    for (int i = 0; i < 81; ++i) text += of(grid_index(i / 9, i % 9));
    return text;
  }

  // A handler runs: `message` and `unchanged` look at it.
  void step() {
    view_before_ = window_->view();
    board_before_ = window_->board();
    platform_.messages.clear();
  }
  // The grid index of the cell at w[at] (row) and w[at + 1] (column), from 1.
  static int cell_at(const std::vector<std::string>& w, std::size_t at) {
    return grid_index(std::stoi(w[at]) - 1, std::stoi(w[at + 1]) - 1);
  }

  bool act(const std::vector<std::string>& w) {
    const fs::path at = dir_ / (w.size() > 1 ? w[1] : "");
    const std::set<std::string> steps = {"type", "key", "paste", "note", "clear", "pose", "read"};
    if (steps.count(w[0])) step();
    if (w[0] == "type") {
      for (int i = 0; i < 81; ++i) {
        const std::string cell = w[1].substr(i, 1);
        window_->type_into_cell(grid_index(i / 9, i % 9), cell == "." ? "" : cell);
      }
    } else if (w[0] == "key") {
      window_->type_into_cell(cell_at(w, 1), w.size() > 3 ? w[3] : "");
    } else if (w[0] == "paste") {
      window_->paste_puzzle(*parse_puzzle(w[1]));
    } else if (w[0] == "pose") {
      window_->pose_puzzle(*parse_puzzle(w[1]));
    } else if (w[0] == "read") {  // a text as Paste reads it; a refusal's reason counts as its message
      if (std::string why; !window_->read_text(w[1], &why)) platform_.messages.push_back(why);
    } else if (w[0] == "keep") {
      kept_ = {dir_ / "state" / "last-game.quorlen", dir_ / "data" / "statistics.txt"};
      window_->keep_games(kept_);
    } else if (w[0] == "new-window") {  // the next run of the program
      window_ = std::make_unique<Sudoku>(platform_);
      window_->keep_games(kept_);
    } else if (w[0] == "note") {
      window_->toggle_note(cell_at(w, 1), std::stoi(w[3]));
    } else if (w[0] == "clear") {
      window_->clear_cell(cell_at(w, 1));
    } else if (w[0] == "step") {  // GROUP STEP of the steps shown, from 1
      window_->choose_step(std::stoul(w[1]) - 1, std::stoul(w[2]) - 1);
    } else if (w[0] == "path") {  // ROW [STEP] of the person's path, from 1, once worked out
      window_->poll_path(true);
      const auto step = w.size() > 2 ? std::optional<std::size_t>(std::stoul(w[2]) - 1) : std::nullopt;
      window_->choose_path(std::stoul(w[1]) - 1, step);
    } else if (w[0] == "select") {
      window_->select_cell(w[1] == "none" ? -1 : cell_at(w, 1));
    } else if (w[0] == "option") {
      PlayOptions options = window_->view().options;
      (w[1] == "repeats"          ? options.repeats_shown
       : w[1] == "highlighting"   ? options.highlighting
       : w[1] == "protect-givens" ? options.protect_givens
                                  : options.notes_mode) = w[2] == "on";
      window_->set_play_options(options);
    } else if (w[0] == "wait") {
      platform_.clock += std::chrono::seconds(std::stoi(w[1]));
    } else if (w[0] == "remember") {
      remembered_[w[1]] = {window_->board(), window_->view()};
    } else if (w[0] == "tick" || w[0] == "untick") {
      window_->set_save_to_file(w[0] == "tick");
    } else if (w[0] == "answer") {
      platform_.answer_next_dialog(at);
    } else if (w[0] == "file") {
      testing::write_bytes(at, w[2]);
    } else if (w[0] == "folder") {
      fs::create_directory(at);
    } else if (w[0] == "fifo") {
      ::mkfifo(at.c_str(), 0600);
    } else if (w[0] == "link") {
      fs::create_symlink(w[2], at);
    } else if (w[0] == "chown") {  // as if another user had made it
      const passwd* user = ::getpwnam(w[2].c_str());
      EXPECT_EQ(::lchown(at.c_str(), user->pw_uid, user->pw_gid), 0) << at;
    } else if (w[0] == "hardlink") {
      fs::create_hard_link(dir_ / w[2], at);
    } else if (w[0] == "set-xattr") {
      EXPECT_EQ(::setxattr(at.c_str(), w[2].c_str(), w[3].data(), w[3].size(), 0), 0) << w[2];
    } else if (w[0] == "as") {  // the commands that follow run as this user, until "as root"
      const passwd* user = ::getpwnam(w[1].c_str());
      EXPECT_EQ(::seteuid(0) | ::setegid(user->pw_gid) | ::seteuid(user->pw_uid), 0);
    } else if (w[0] == "sparse") {
      fs::resize_file(testing::write_bytes(at, ""), std::stoull(w[2]));
    } else if (w[0] == "delete") {
      fs::remove(at);
    } else if (w[0] == "chmod") {
      fs::permissions(at, fs::perms(std::stoi(w[2], nullptr, 8)));
    } else if (w[0] == "fsize") {  // a disk that fills after this many bytes of a file
      if (sigxfsz_ == nullptr) sigxfsz_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end
      const rlimit limit{w[1] == "off" ? fsize_.rlim_cur : std::stoul(w[1]), fsize_.rlim_max};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    } else {
      return false;
    }
    return true;
  }

  bool check(const std::vector<std::string>& w) {
    const View& view = window_->view();
    const Board& board = window_->board();
    const StepsBrowser* steps = window_->steps_shown();
    const auto arg = [&](std::size_t i) { return i < w.size() ? expand(w[i]) : std::string(); };
    if (w[0] == "message") {
      EXPECT_EQ(platform_.messages, std::vector<std::string>{arg(1)});
    } else if (w[0] == "no-message") {
      EXPECT_EQ(platform_.messages, std::vector<std::string>{});
    } else if (w[0] == "unchanged") {
      EXPECT_TRUE(view == view_before_) << puzzle_string(shown_digits(view));
      EXPECT_TRUE(board == board_before_);
    } else if (w[0] == "grid") {
      EXPECT_EQ(puzzle_string(shown_digits(view)), w[1]);
    } else if (w[0] == "board") {
      EXPECT_EQ(row_by_row([&](int i) {
                  return board.cell_value[i] == kEmptyCell ? '.' : char('0' + board.cell_value[i]);
                }),
                w[1]);
    } else if (w[0] == "colours") {
      EXPECT_EQ(row_by_row([&](int i) {
                  const Rgb c = view.cell(i).colour;
                  return c == kBlack ? '.' : c == kGivenColour ? 'g' : c == kSolverBlue ? 'b' : '?';
                }),
                w[1]);
    } else if (w[0] == "buttons") {  // Load Save Freeze Restart Solve; New is always enabled
      std::string on;
      for (bool b : {view.cmdLoad, view.cmdSave, view.cmdFreeze, view.cmdRestart, view.CmdSolve})
        on += b ? '1' : '0';
      EXPECT_TRUE(view.cmdNew);
      EXPECT_EQ(on, w[1]);
    } else if (w[0] == "cells") {
      int wrong = 0;
      for (int i = 0; i < 81; ++i)
        wrong += view.cell(i).enabled != (w[1] == "enabled") || view.cell(i).max_length != 1;
      EXPECT_EQ(wrong, 0);
    } else if (w[0] == "marks") {
      const auto marks = cell_marks(view);
      const auto letter = [&](int i) {
        const int m = marks[i];
        return m & kMarkHint ? 'h' : m & kMarkGuess ? 'g' : m & kMarkStep ? 's' : ".rwx"[m & 3];
      };
      EXPECT_EQ(row_by_row(letter), w[1]);
    } else if (w[0] == "shades") {
      EXPECT_EQ(row_by_row([&](int i) { return ".ud"[static_cast<int>(cell_shade(view, i))]; }), w[1]);
    } else if (w[0] == "notes") {  // ROW COLUMN DIGITS, or - for none
      std::string digits;
      for (int d = 1; d <= 9; ++d)
        if (view.cell(cell_at(w, 1)).notes >> d & 1) digits += char('0' + d);
      EXPECT_EQ(digits.empty() ? "-" : digits, w[3]);
    } else if (w[0] == "noted") {
      int noted = 0;
      for (int i = 0; i < 81; ++i) noted += view.cell(i).notes != 0;
      EXPECT_EQ(noted, std::stoi(w[1]));
    } else if (w[0] == "described") {
      EXPECT_EQ(cell_descriptions(view)[cell_at(w, 1)], arg(3));
    } else if (w[0] == "focus") {
      EXPECT_EQ(view.selected, cell_at(w, 1));
    } else if (w[0] == "groups") {  // COUNT and the first captions of the steps' chooser
      std::vector<std::string> captions;
      const std::size_t count = steps != nullptr ? steps->groups().size() : 0;
      for (std::size_t g = 0; g < count && g + 2 < w.size(); ++g) captions.push_back(steps->caption(g));
      EXPECT_EQ(count, std::stoul(w[1]));
      EXPECT_EQ(captions, std::vector<std::string>(w.begin() + 2, w.end()));
    } else if (w[0] == "step-line") {  // the line of the step shown; "" while none shows
      EXPECT_EQ(steps != nullptr ? steps->line(steps->step()) : "", arg(1));
    } else if (w[0] == "path-line") {  // the line of the path's choice; "" while none shows
      EXPECT_EQ(window_->path_shown() != nullptr ? window_->path_shown()->line() : "", arg(1));
    } else if (w[0] == "path-rows") {  // each row's count of steps, s for a folded run; then the rating
      std::string rows;
      for (const PathRow& row : window_->path_shown()->rows())
        rows += std::to_string(row.count) + (row.singles ? "s " : " ");
      EXPECT_EQ(rows + rating_line(window_->path_shown()->rating()), arg(1));
    } else if (w[0] == "hint-says") {  // the hint's depth and text; "" while none shows
      const HintSession* hint = window_->hint_shown();
      EXPECT_EQ(hint ? std::to_string(hint->depth()) + " " + hint->text() : "", arg(1));
    } else if (w[0] == "history") {  // 1 or 0 for: something to undo, something to redo
      EXPECT_EQ(std::to_string(window_->can_undo()) + std::to_string(window_->can_redo()), w[1]);
    } else if (w[0] == "same") {  // as remembered, field by field
      const Remembered& then = remembered_.at(w[1]);
      EXPECT_TRUE(board == then.board);
      EXPECT_TRUE(view == then.view) << puzzle_string(shown_digits(view));
    } else if (w[0] == "clock") {  // TIME played, and whether the clock runs, stopped or paused
      const char* state = window_->paused() ? "paused" : window_->clock_running() ? "running" : "stopped";
      EXPECT_EQ(time_text(window_->time_played()) + " " + state, w[1] + " " + w[2]);
    } else if (w[0] == "level") {
      EXPECT_EQ(window_->puzzle_posed() ? level_text(window_->posed_rating()) : "", arg(1));
    } else if (w[0] == "label1" || w[0] == "label4") {
      EXPECT_EQ(w[0] == "label1" ? view.Label1 : view.Label4, arg(1));
    } else if (w[0] == "check2") {
      EXPECT_EQ(view.Check2, w[1] == "on");
    } else if (w[0] == "counts") {
      EXPECT_EQ(std::to_string(board.pass_count) + " " + std::to_string(board.guess_count),
                w[1] + " " + w[2]);
    } else if (w[0] == "untried") {
      for (int n = 1; n <= 81; ++n) EXPECT_EQ(board.tried_mask[n], 0) << n;
    } else if (w[0] == "log" || w[0] == "content") {
      const bool log = w[0] == "log";
      std::string expected;
      for (std::size_t i = log ? 1 : 2; i < w.size(); ++i) expected += log ? "\"" + w[i] + "\"\r\n" : w[i];
      const fs::path file = log ? dir_ / "steps.txt" : dir_ / w[1];
      const bool regular = fs::is_regular_file(fs::symlink_status(file));
      EXPECT_TRUE(regular) << file << " is missing or not a regular file";
      EXPECT_EQ(regular ? testing::read_bytes(file) : "", expected);
    } else if (w[0] == "no-log") {
      EXPECT_FALSE(fs::exists(dir_ / "steps.txt"));
    } else if (w[0] == "listing") {
      std::set<std::string> names;
      for (const auto& entry : fs::directory_iterator(dir_.path)) names.insert(entry.path().filename());
      EXPECT_EQ(names, std::set<std::string>(w.begin() + 1, w.end()));
    } else if (w[0] == "perms") {
      EXPECT_EQ(fs::symlink_status(dir_ / w[1]).permissions(), fs::perms(std::stoi(w[2], nullptr, 8)));
    } else if (w[0] == "owner") {
      struct stat info {};
      EXPECT_EQ(::lstat((dir_ / w[1]).c_str(), &info) == 0 ? info.st_uid : -1u,
                ::getpwnam(w[2].c_str())->pw_uid);
    } else if (w[0] == "xattr") {
      std::string value(256, '\0');
      const ssize_t size = ::getxattr((dir_ / w[1]).c_str(), w[2].c_str(), value.data(), value.size());
      EXPECT_EQ(value.substr(0, std::max<ssize_t>(size, 0)), w[3]) << w[2];
    } else if (w[0] == "is-link") {
      EXPECT_TRUE(fs::is_symlink(dir_ / w[1]));
    } else if (w[0] == "copy" || w[0] == "progress") {
      EXPECT_EQ(w[0] == "copy" ? window_->copy_puzzle() : window_->copy_progress(), w[1]);
    } else if (w[0] == "statistics") {  // LEVEL STARTED FINISHED UNAIDED BEST TOTAL
      const FileResult<Statistics> read = window_->statistics();
      const LevelStatistics& l =
          read ? read.value().levels[static_cast<std::size_t>(*level_from_option(w[1]))] : LevelStatistics{};
      EXPECT_EQ(std::vector<std::int64_t>({l.started, l.finished, l.unaided, l.best_ms, l.total_ms}),
                std::vector<std::int64_t>({std::stoll(w[2]), std::stoll(w[3]), std::stoll(w[4]),
                                           std::stoll(w[5]), std::stoll(w[6])}));
    } else if (w[0] == "game") {  // helped, protected or finished: yes or no
      const Game& game = window_->game();
      EXPECT_EQ(w[1] == "helped"      ? game.helped
                : w[1] == "protected" ? game.givens_protected
                                      : game.finished,
                w[2] == "yes");
    } else if (w[0] == "autosave-in") {
      const auto due = window_->autosave_in();
      EXPECT_EQ(due ? std::to_string(due->count()) : "none", w[1]);
    } else if (w[0] == "dialog") {  // kind, title and filter of the last dialog; it opens in examples/
      const FileDialogRequest r =
          platform_.requests.empty() ? FileDialogRequest{} : platform_.requests.back();
      EXPECT_EQ(r.kind == FileDialogKind::open ? "open" : "save", w[1]);
      EXPECT_EQ(r.title, w[2]);
      EXPECT_EQ(r.filter, w[3]);
      EXPECT_EQ(r.initial_dir, r.filter.ends_with("(*.sud)") ? dir_ / "examples" : dir_.path);
    } else {
      return false;
    }
    return true;
  }

  testing::ScratchDir dir_;
  HeadlessPlatform platform_{dir_.path};
  std::unique_ptr<Sudoku> window_ = std::make_unique<Sudoku>(platform_);
  KeptFiles kept_;
  View view_before_;
  Board board_before_;
  struct Remembered {
    Board board;
    View view;
  };
  std::map<std::string, Remembered> remembered_;
  void (*sigxfsz_)(int) = nullptr;
  mode_t umask_ = ::umask(022);  // new files: 0644
  rlimit fsize_ = [] {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    return limit;
  }();
  const std::map<std::string, void (Sudoku::*)()> commands_ = {
      {"new", &Sudoku::cmdNew_Click},
      {"load", &Sudoku::cmdLoad_Click},
      {"save", &Sudoku::cmdSave_Click},
      {"freeze", &Sudoku::cmdFreeze_Click},
      {"restart", &Sudoku::cmdRestart_Click},
      {"solve", &Sudoku::CmdSolve_Click},
      {"undo", &Sudoku::mnuUndo_Click},
      {"redo", &Sudoku::mnuRedo_Click},
      {"check", &Sudoku::mnuCheck_Click},
      {"count", &Sudoku::mnuCountSolutions_Click},
      {"fill-notes", &Sudoku::mnuFillNotes_Click},
      {"clear-notes", &Sudoku::mnuClearNotes_Click},
      {"hint", &Sudoku::mnuHint_Click},
      {"apply-hint", &Sudoku::mnuApplyHint_Click},
      {"close-hint", &Sudoku::close_hint},
      {"steps", &Sudoku::mnuSteps_Click},
      {"close-steps", &Sudoku::close_steps},
      {"pause", &Sudoku::mnuPause_Click},
      {"save-game", &Sudoku::mnuSaveGame_Click},
      {"open-game", &Sudoku::mnuOpenGame_Click},
      {"continue", &Sudoku::mnuContinue_Click},
      {"autosave", &Sudoku::autosave},
  };
};

class Scenarios : public ::testing::TestWithParam<testing::TextCase> {};

TEST_P(Scenarios, Run) {
  for (const auto& [number, line] : GetParam().lines) {
    const std::string word = testing::words_of(line)[0];
    if ((word == "chown" || word == "as") && ::geteuid() != 0)
      GTEST_SKIP() << "line " << number << ": `" << word << "` acts as another user, which needs root";
  }
  ScenarioRun().run(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Window, Scenarios,
                         ::testing::ValuesIn(testing::load_text_cases(fs::path(QUORLEN_TEST_DATA_DIR) /
                                                                      "scenarios")),
                         [](const auto& param_info) {
                           std::string name = param_info.param.name;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
}  // namespace quorlen
