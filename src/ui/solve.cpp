// The Solve command: the attempts of the solver, the step log, and the
// outcome shown on the window.
#include <vector>

#include "files/step_log.h"
#include "solver/difficulty.h"
#include "ui/outcome_texts.h"
#include "ui/sudoku.h"

namespace quorlen {

void Sudoku::CmdSolve_Click() {
  change(By::command, [this] { solve(); });
}

void Sudoku::solve() {
  view_.Label4 = "No";
  last_solve_by_search_ = false;
  step_log_error_.clear();
  const bool logging = view_.Check2;
  StepLogFile log;
  if (const FileResult<> opened = logging ? log.open(platform_.step_log_directory()) : FileResult<>();
      !opened) {
    step_log_error_ = opened.error().message;
    show_message(kUnableToWrite);
    return;
  }
  std::vector<Placement> placements;
  const SolveResult result = run_attempts(board_, view_, logging ? &placements : nullptr);
  last_solve_by_search_ = result.by_complete_search;
  if (result.guessed) view_.Label4 = guessed_caption(board_.guess_count);
  if (logging) {
    // Every record is in the file before the outcome is reported.
    std::string records;
    records.reserve(placements.size() * 28);
    for (const Placement& p : placements) append_step_record(records, p.index, p.digit);
    if (const FileResult<> committed = log.commit(records); !committed) {
      step_log_error_ = committed.error().message;
      // The grid may show a run that failed halfway, digits repeated; the
      // givens are what the user can go on from.
      restore_givens_shown();
      show_message(kUnableToWrite);
      return;
    }
  }
  show_message(report_outcome(result.outcome));
}

std::string Sudoku::report_outcome(SolveOutcome outcome) {
  switch (outcome) {
    case SolveOutcome::not_solvable:
      restore_givens_shown();
      return kNotSolvable;
    case SolveOutcome::invalid_givens:
      return validation_text(board_.repetition);
    case SolveOutcome::cannot_complete:
      restore_givens_shown();
      return kCannotComplete;
    case SolveOutcome::solved:
      break;
  }
  finished_puzzle_ = puzzle_.number;  // the person did not solve it
  board_.difficulty = difficulty_of(board_.pass_count, board_.guess_count);
  view_.Label1 = difficulty_caption(board_.difficulty);
  return kSolved;
}

}  // namespace quorlen
