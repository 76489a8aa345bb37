// The Solve command: the attempts of the solver, the step log, and the
// outcome shown on the window.
#include <memory>
#include <utility>

#include "files/step_log.h"
#include "solver/difficulty.h"
#include "ui/outcome_texts.h"
#include "ui/sudoku.h"

namespace quorlen {

void Sudoku::CmdSolve_Click() {
  change(By::command, [this] { solve(); });
}

void Sudoku::solve() {
  game_.label4 = "No";
  last_solve_by_search_ = false;
  forget_last_solve();
  step_log_error_.clear();
  if (game_.puzzle != 0) game_.helped = true;
  const bool logging = view_.Check2;
  StepLogFile log;
  if (const FileResult<> opened = logging ? log.open(platform_.step_log_directory()) : FileResult<>();
      !opened) {
    step_log_error_ = opened.error().message;
    show_message(kUnableToWrite);
    return;
  }
  auto record = std::make_shared<SolveRecord>(SolveRecord{game_.board, nullptr});
  set_solve(record);
  SolveSteps steps;
  const SolveResult result = run_attempts(game_.board, logging ? &steps : nullptr);
  show_placed(result.placed);
  last_solve_by_search_ = result.by_complete_search;
  if (result.guessed) game_.label4 = guessed_caption(game_.board.guess_count);
  if (logging) {
    // Every record is in the file before the outcome is reported.
    if (const FileResult<> committed = log.commit(step_log_records(steps)); !committed) {
      step_log_error_ = committed.error().message;
      // The grid may show a run that failed halfway, digits repeated; the
      // givens are what the user can go on from.
      restore_givens_shown();
      show_message(kUnableToWrite);
      return;
    }
    record->steps = std::make_shared<const SolveSteps>(std::move(steps));
  }
  show_message(report_outcome(result.outcome));
}

void Sudoku::show_placed(const DigitGrid& placed) {
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (placed[i] != 0)
      game_.cells[i] = {placed[i], DigitOwner::solver, CellInk::solver, game_.cells[i].notes,
                        game_.cells[i].wrong};
  }
}

std::string step_log_records(const SolveSteps& steps) {
  std::string records;
  records.reserve(steps.placements.size() * 28);
  for (const Placement& p : steps.placements) append_step_record(records, p.index, p.digit);
  return records;
}

// The Solve command is the same for the same board: run again from the
// board it started from, it makes the same placements.
std::shared_ptr<const SolveSteps> Sudoku::solve_steps() const {
  if (solve_ && !solve_->steps) {
    Board board = solve_->start;
    auto steps = std::make_shared<SolveSteps>();
    run_attempts(board, steps.get());
    solve_->steps = std::move(steps);
  }
  return solve_ ? solve_->steps : nullptr;
}

const SolveSteps& Sudoku::last_solve_steps() const {
  static const SolveSteps none;
  return solve_ ? *solve_steps() : none;
}

void Sudoku::set_solve(std::shared_ptr<const SolveRecord> solve) {
  if (solve_ && solve_ != solve) solve_->steps.reset();
  solve_ = std::move(solve);
}

std::string Sudoku::report_outcome(SolveOutcome outcome) {
  switch (outcome) {
    case SolveOutcome::not_solvable:
      restore_givens_shown();
      return kNotSolvable;
    case SolveOutcome::invalid_givens:
      return validation_text(game_.board.repetition);
    case SolveOutcome::cannot_complete:
      restore_givens_shown();
      return kCannotComplete;
    case SolveOutcome::solved:
      break;
  }
  game_.solved_by_command = true;  // until undo takes this Solve back
  game_.board.difficulty = difficulty_of(game_.board.pass_count, game_.board.guess_count);
  game_.label1 = difficulty_caption(game_.board.difficulty);
  return kSolved;
}

}  // namespace quorlen
