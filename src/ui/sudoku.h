// The window logic: the handlers of the window `Sudoku` over its game, the
// one value that holds the puzzle being played (see game/game.h). No
// toolkit here: a Qt window or the command line shows the View, which is
// drawn from the game, and forwards clicks and typing to these handlers;
// what only a toolkit can do goes through the Platform.
//
// Every change to the grid goes through a handler here, so that the
// history sees each one once: a handler is one step, whatever handlers it
// runs itself (a new puzzle is New, a paste and Freeze, and one step).
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "board/board.h"
#include "game/game.h"
#include "game/game_file.h"
#include "game/statistics.h"
#include "generator/rating.h"
#include "solver/attempts.h"
#include "solver/difficulty.h"
#include "ui/hint_session.h"
#include "ui/history.h"
#include "ui/keeping.h"
#include "ui/path_browser.h"
#include "ui/platform.h"
#include "ui/play_clock.h"
#include "ui/practice.h"
#include "ui/steps_browser.h"
#include "view/view.h"

namespace quorlen {

class Sudoku {
 public:
  // A step keeps one Game, about a kilobyte, and a Solve one Board more
  // (its SolveRecord), so the history stays at a few megabytes at most.
  static constexpr std::size_t kHistorySteps = 2000;
  static_assert(kHistorySteps + 1 <= kMaxGameStates, "a game file must hold the whole history");

  // Runs Form_Load, as the window does when it is created. The history
  // keeps `history_steps` steps; 0 keeps none, for callers that never undo.
  explicit Sudoku(Platform& platform, std::size_t history_steps = kHistorySteps);

  void Form_Load();
  void cmdNew_Click();
  void cmdLoad_Click();
  void cmdSave_Click();
  void cmdFreeze_Click();
  void cmdRestart_Click();
  void CmdSolve_Click();

  // The window's menu. A new puzzle of a level is posed by Quorlen (see
  // pose_puzzle); Count solutions says in a message box whether the digits
  // on the grid have no solution, one, or more than one, and changes nothing.
  void mnuNewPuzzle_Click(Level level);
  void mnuCountSolutions_Click();
  // Poses a puzzle as a person does: New, the givens pasted, Freeze.
  void enter_puzzle(const DigitGrid& givens);
  // Poses a puzzle as Quorlen does, as one step: as enter_puzzle, with the
  // givens protected and no "Guessed?" left from the puzzle before.
  // `rating`, when known, saves working it out again for posed_rating.
  void pose_puzzle(const DigitGrid& givens, const std::optional<Rating>& rating = std::nullopt);
  // Poses a puzzle to practise as pose_puzzle does, keeping what the
  // person's solver says of it for the status line while it stays posed.
  void pose_practice(const PracticeEntry& entry);
  // The posed puzzle's rating and hardest technique, "Rating 7.2, X-Wing":
  // a puzzle posed to practise has it from the bank; any other once the
  // person's path is worked out (work_out_path); empty meanwhile, and for
  // givens without exactly one solution.
  std::string rating_caption() const;

  // Whether a puzzle is posed (by Freeze, or by Quorlen), until New or Load.
  bool puzzle_posed() const { return game_.puzzle != 0; }
  // What the Solve command makes of the posed puzzle's givens: its level
  // and difficulty. Worked out when first asked for, once per puzzle.
  const Rating& posed_rating() const;
  // Whether typing, emptying and pasting leave the cell's given alone: in
  // a puzzle Quorlen posed (a new puzzle, one read from text, a game
  // opened or continued), or any posed puzzle while "Protect givens" is on.
  // A puzzle the person freezes stays editable as designed.
  bool given_protected(int index) const;

  // The clock of the posed puzzle: it runs from the posing until the
  // person or Solve completes the grid (undo of that Solve runs it again),
  // and stops while paused. Undo and redo within a puzzle leave it alone;
  // a state of another puzzle, or a game brought back, brings back that
  // puzzle's time. time_played() is the one place the clock is read.
  std::chrono::milliseconds time_played() const { return clock_.played(platform_.now()); }
  bool clock_running() const { return clock_.running(); }
  // Pause: the clock stops and the grid is hidden from the person, whose
  // entries do nothing until Pause again resumes; a command resumes first,
  // then acts. Only a puzzle whose clock runs can be paused.
  void mnuPause_Click();
  bool paused() const { return paused_; }
  bool can_pause() const { return paused_ || clock_due(); }

  // Check: when the givens have exactly one solution, marks every digit
  // that is not a given and differs from it, and says how many there are.
  void mnuCheck_Click();
  // Every empty cell's notes become the digits its row, column and box
  // allow; every note goes.
  void mnuFillNotes_Click();
  void mnuClearNotes_Click();
  void mnuUndo_Click();
  void mnuRedo_Click();
  bool can_undo() const { return history_.can_undo(); }
  bool can_redo() const { return history_.can_redo(); }

  // Hint, in four depths (see HintSession): the first asks for the next
  // hint on the grid as the person keeps it (see next_hint) and selects the
  // cell of a wrong digit or note; each one after it tells the same hint a
  // depth further. It changes no digit, so it is no step in the history:
  // the hint goes at the next change to the grid (undo and redo too).
  // Being told a hint is help with the puzzle.
  void mnuHint_Click();
  // Apply the hint: the hint shown, or the next one, carried out as one
  // step: a wrong digit taken away, a note left out put back, or the step's
  // digits placed and the candidates it strikes taken out of the notes (a
  // grid without notes gets every note filled in first). Help too.
  void mnuApplyHint_Click();
  // The hint closed, its marks gone.
  void close_hint() { clear_hint(); }
  const HintSession* hint_shown() const { return hint_ ? &*hint_ : nullptr; }

  // Steps: the Steps view opens on the placements of the Solve that goes
  // with the grid (see last_solve_steps), one at a time, from the first of
  // the attempt that ended it; before a Solve, on the person's path of the
  // posed puzzle (show_path). A message says why when there is neither.
  // Run again, it closes them. While the view is open the grid is a
  // picture of the step chosen: the person's entries do nothing, and a
  // command closes the view first and then acts on the grid as it was.
  // Browsing is no step in the history.
  void mnuSteps_Click();
  bool steps_open() const { return steps_open_; }
  // A step of a group of steps_shown(), which is then the one shown;
  // nothing when none show.
  void choose_step(std::size_t group, std::size_t step);
  // The grid, every cell and label as they were before the view opened.
  void close_steps();
  // The Solve's steps, while the view is open after a Solve (whichever is chosen).
  const StepsBrowser* steps_shown() const { return browser_ ? &*browser_ : nullptr; }

  // The person's path in the open view: the steps the person's solver
  // takes from the givens, worked out on a thread of its own (poll_path
  // brings it in). Only a posed puzzle with exactly one solution has one.
  bool path_available() const;
  void show_path();
  // Starts working out the posed puzzle's path beside the window (see
  // PathWork), if it has exactly one solution and is not being worked out
  // already: the window asks it for the rating in its status line. The
  // command line never does, so a batch Solve runs no second solver.
  void work_out_path();
  // The posed puzzle's path is being worked out.
  bool path_working() const { return path_work_ && !path_work_->result(); }
  // A row of the path, or one single of a folded row; nothing before the
  // path is worked out.
  void choose_path(std::size_t row, std::optional<std::size_t> step = std::nullopt);
  bool path_chosen() const { return steps_open_ && on_path_; }
  // The path shown, once worked out; null otherwise.
  const PathBrowser* path_shown() const { return path_chosen() && path_ ? &*path_ : nullptr; }
  bool path_pending() const { return path_chosen() && !path_; }
  // How many of its steps are worked out so far, while it is pending.
  std::size_t path_progress() const { return path_work_ ? path_work_->progress() : 0; }
  // Brings in the path once it is worked out (with `wait`, as long as that
  // takes): true when the view changed.
  bool poll_path(bool wait = false);

  // Load of `path` without its dialog, as a file dropped on the window does.
  void load_file(const std::filesystem::path& path);
  // New, then load_file: a file given to the program when it starts.
  void open_file(const std::filesystem::path& path);

  // Games that outlast the window. Save game and Open game write and read
  // a game file, its history included; an opened game comes back exactly
  // as it was saved, its time included, and Undo steps back through its
  // moves and then into the game shown before it. Quorlen poses the game it
  // brings back, so its givens are protected (see given_protected). A file
  // that is not a whole game of this version changes nothing and says why.
  void mnuSaveGame_Click();
  void mnuOpenGame_Click();
  void open_game(const std::filesystem::path& path);
  // Continue: the last game, as the window that played it last left it
  // (see keep_games); a message when there is none.
  void mnuContinue_Click();

  // Where the window keeps the last game, saved as it is played, and the
  // statistics; until this is called (the command line, the tests) it
  // keeps neither.
  void keep_games(const KeptFiles& files);
  // How long until the last game should be saved: a change waits at most
  // kAutosaveDelay, and while a puzzle's clock runs its time is saved every
  // kTimeSaveEvery; nothing while nothing waits or nothing is kept.
  std::optional<std::chrono::milliseconds> autosave_in() const;
  // Saves the last game now when anything waits: the window calls it when
  // autosave_in() has passed and when it closes. A failure says so once,
  // and the next change tries again.
  void autosave();
  static constexpr std::chrono::milliseconds kAutosaveDelay{1000};
  static constexpr std::chrono::milliseconds kTimeSaveEvery{60000};
  // What the statistics file holds, or why it cannot be read.
  FileResult<Statistics> statistics() const;

  // Text in and out. Copy gives the puzzle: the givens, or before Freeze
  // the digits shown. Copy with progress gives a line that poses the same
  // puzzle again with the person's digits and notes (see
  // game/puzzle_text.h). read_text takes either, or any of the forms of a
  // puzzle that people copy, and poses it as one step, its givens
  // protected; a text that holds neither changes nothing, and `why` (if
  // given) says what is wrong with it.
  std::string copy_puzzle() const;
  std::string copy_progress() const;
  bool read_text(std::string_view text, std::string* why = nullptr);

  // Typing into grid cell `index` (0..80): a disabled cell, or one whose
  // given is protected, takes nothing. The cell keeps a digit 1..9, the
  // first character typed (its maximum length is 1); any other character
  // empties it (the rule of the cell's change handler, Text1_Change).
  bool type_into_cell(int index, std::string_view text);
  // The key that empties a cell; on a cell already empty it takes the notes away.
  void clear_cell(int index);
  // Each enabled cell takes its digit of `digits` (an empty one for 0) as
  // if typed: one step. Protected givens stay.
  void paste_puzzle(const DigitGrid& digits);
  // Adds or takes away the note `digit` (1..9) of an enabled empty cell.
  void toggle_note(int index, int digit);

  // "Save to File", the play options and the selected cell are the
  // session's: the history neither records nor undoes them.
  void set_save_to_file(bool checked);
  void set_play_options(const PlayOptions& options);
  // The cell the person is at (-1 for none): what highlighting shades from.
  void select_cell(int index);

  // What every control shows, drawn from the game when it is asked for.
  const View& view() const;
  const Game& game() const { return game_; }
  const Board& board() const { return game_.board; }
  // Whether the last Solve needed the complete search after its attempts.
  bool last_solve_by_search() const { return last_solve_by_search_; }
  // Why the last Solve could not write its step log ("PATH: reason"), or empty.
  const std::string& step_log_error() const { return step_log_error_; }
  // Every placement of the last Solve with its reason, in the step log's
  // order (see SolveSteps); no step before a Solve, and after New, Load or
  // Freeze. Undo and redo bring back the steps of the state they bring
  // back. Kept as the board the Solve started from, and worked out again
  // when first asked for, so that a Solve costs no more for it.
  const SolveSteps& last_solve_steps() const;

 private:
  // Who made a change: only the person's own entries can finish a puzzle.
  enum class By { command, person };

  // Runs `body` as one change to the grid. The outermost change records
  // the state it replaced in the history and then brings the notes and
  // marks up to date; the changes it runs are part of it.
  void change(By by, const std::function<void()>& body);
  // The digits placed since the change began strike their notes and lose
  // any mark of Check.
  void settle();
  // After the person's change: the message that the posed puzzle is
  // solved, once, when the grid has become its solution.
  void finish_message();
  // A message box; the grid is settled first, so that it shows as it
  // will stay while the box is up.
  void show_message(const std::string& text);
  // Brings back a state of the history, or of a game file.
  void restore(Snapshot state);
  // A game from a file in place of the one shown: its history after the
  // window's, or in place of it while the window has played nothing yet.
  void bring_back(const SavedGame& saved);
  // The game and its history, as a game file keeps them.
  SavedGame saved_game() const;
  // The Solve that goes with the grid from now on; the one before keeps
  // only its start, so that the history stays small.
  void set_solve(std::shared_ptr<const SolveRecord> solve);
  std::shared_ptr<const SolveSteps> solve_steps() const;
  // The hint gone, with its mark.
  void clear_hint();
  // The board and grid emptied, as the window load, New and Load leave them.
  void clear_puzzle(bool cells_enabled);
  void forget_last_solve() { set_solve(nullptr); }
  // The digits on the grid become the givens: Freeze without its posing.
  void freeze_givens();
  // The puzzle on the grid is posed from now on: a new game starts, its
  // rating `known` or worked out when asked for.
  void pose(bool givens_protected, const std::optional<Rating>& known = std::nullopt);
  // The posed puzzle's level, where the statistics want it and the givens
  // have one solution; else -1.
  int posed_level(const std::optional<Rating>& known) const;
  // Typing as the person does, inside a change.
  bool type(int index, std::string_view text);
  // The grid back to the givens: Restart without its notes.
  void restore_givens_shown();
  // The Solve command's work.
  void solve();
  // The digits a Solve placed, in the solver's blue.
  void show_placed(const DigitGrid& placed);
  // Shows the outcome on the window and returns the message box's text.
  std::string report_outcome(SolveOutcome outcome);
  // The game's time played brought up to the clock's, for the history
  // and the game file, which keep the time with the game.
  void bank_time() { game_.played_ms = time_played().count(); }
  // Whether the posed puzzle's clock should run, pauses aside.
  bool clock_due() const { return game_.puzzle != 0 && !game_.finished && !game_.solved_by_command; }
  // The clock started or stopped as the puzzle and the pause now ask.
  void update_clock();
  // The end of a pause: a command shows the grid before it acts.
  void resume();
  // The game changed in a way the last game file does not show yet.
  void unsaved();
  void refresh_view() const;

  Platform& platform_;
  std::filesystem::path last_folder_;       // of the ".sud" file last loaded or saved
  std::filesystem::path last_game_folder_;  // of the game file last opened or saved
  Game game_;
  History history_;
  bool changing_ = false;
  bool aids_before_ = false;   // whether the grid had notes or marks when the change began
  DigitGrid digits_before_{};  // and then what it showed
  bool last_solve_by_search_ = false;
  std::shared_ptr<const SolveRecord> solve_;
  bool steps_open_ = false;
  bool on_path_ = false;                 // the person's path is chosen, not the Solve's steps
  std::optional<StepsBrowser> browser_;  // the Solve's steps, while the view is open after a Solve
  std::optional<PathBrowser> path_;      // the person's path, while it is chosen and worked out
  // The person's path of the posed puzzle, worked out or being worked out;
  // work given up on finishes its step among the retired.
  std::unique_ptr<PathWork> path_work_;
  std::vector<std::unique_ptr<PathWork>> retired_;
  mutable std::optional<std::pair<DigitGrid, bool>> one_solution_;  // path_available's, by givens
  std::optional<HintSession> hint_;                                 // the hint shown, until the grid changes
  std::string step_log_error_;
  std::mt19937_64 random_{std::random_device{}()};  // for new puzzles
  PlayClock clock_;  // of the posed puzzle, read into the game's played_ms by bank_time
  bool paused_ = false;
  mutable std::optional<std::pair<std::uint64_t, Rating>> rating_;  // posed_rating's, by puzzle number
  std::pair<std::uint64_t, std::string> practice_;                  // a practice puzzle's number and caption

  Keeping keeping_;
  bool unsaved_ = false;  // the game changed since the last game file was written
  std::chrono::steady_clock::time_point unsaved_since_, saved_at_;
  bool autosave_failed_ = false;     // and said so: until a save works, it says so no more
  bool earlier_in_history_ = false;  // the last game of an earlier window is part of this one's history

  mutable View view_;  // the session's parts (Check2, options, selection) live here only
  mutable bool view_stale_ = true;
};

// What the step log of a Solve with these steps holds.
std::string step_log_records(const SolveSteps& steps);

}  // namespace quorlen
