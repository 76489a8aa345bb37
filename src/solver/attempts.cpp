#include "solver/attempts.h"

#include <algorithm>
#include <cstdint>

#include "solver/complete_search.h"
#include "solver/plain_solver.h"
#include "solver/solver.h"

namespace quorlen {
namespace {

SolveOutcome outcome_of(const Board& board) {
  if (!board.solvable) return SolveOutcome::not_solvable;
  if (!board.attempt_ok) return SolveOutcome::invalid_givens;
  if (!board.is_complete) return SolveOutcome::cannot_complete;
  return SolveOutcome::solved;
}

DigitGrid digits_of(const std::array<std::int16_t, 83>& values) {
  DigitGrid grid{};
  for (std::size_t i = 0; i < grid.size(); ++i) {
    grid[i] = static_cast<std::uint8_t>(values[i] >= 1 && values[i] <= 9 ? values[i] : 0);
  }
  return grid;
}

// Marks where each run starts in `steps` (when there are steps to keep).
class RunMarks {
 public:
  explicit RunMarks(SolveSteps* steps) : steps_(steps) {}
  void start(int attempt, bool from_givens) {
    if (steps_ == nullptr) return;
    steps_->runs.push_back({static_cast<std::uint32_t>(steps_->placements.size()),
                            static_cast<std::uint8_t>(attempt), from_givens});
  }

 private:
  SolveSteps* steps_;
};

// The attempts loop is not a complete search: a guess that failed only
// because an earlier guess was wrong stays excluded for the whole command.
// Before reporting failure, settle the question with a search that is.
template <typename AnySolver>
bool place_complete_solution(Board& board, AnySolver& solver, RunMarks& marks) {
  DigitGrid givens{};
  for (int n = 1; n <= 81; ++n) givens[n - 1] = static_cast<std::uint8_t>(given_digit(board, n));
  DigitGrid solution{};
  if (!find_solution(givens, solution)) return false;

  restore_givens(board);
  marks.start(kSolveAttempts, true);
  for (int n = 1; n <= 81; ++n) {
    if (given_digit(board, n) == 0) solver.write_pos(n - 1, digit_mask(solution[n - 1]), {});
  }
  board.is_valid = true;
  board.is_complete = true;
  board.solvable = true;
  board.attempt_ok = true;
  return true;
}

template <typename AnySolver>
SolveResult attempts(Board& board, SolveSteps* steps) {
  if (steps != nullptr) {
    *steps = SolveSteps{};
    steps->start = digits_of(board.cell_value);
    for (int n = 1; n <= 81; ++n) steps->givens[n - 1] = static_cast<std::uint8_t>(given_digit(board, n));
  }
  PlacementSink sink;
  sink.log = steps != nullptr ? &steps->placements : nullptr;
  AnySolver solver(board, sink);
  RunMarks marks(steps);
  for (int attempt = 1; attempt <= kSolveAttempts; ++attempt) {
    if (!board.attempt_ok) continue;
    marks.start(attempt, false);
    solver.main_function();
    if (board.solvable && board.attempt_ok) break;
    restore_givens(board);
    // A grid solved by this run is recognised by the next attempt's first
    // run, which finds it complete.
    marks.start(attempt, true);
    solver.main_function();
  }

  SolveResult result{outcome_of(board), false, false};
  if ((result.outcome == SolveOutcome::not_solvable || result.outcome == SolveOutcome::cannot_complete) &&
      place_complete_solution(board, solver, marks)) {
    result = {SolveOutcome::solved, true, false};
  }
  result.guessed = solver.guessed();
  result.placed = sink.shown;
  if (steps != nullptr) steps->result = result;
  return result;
}

// The run that placement `step` belongs to: the last to start at or before it.
std::size_t run_of(const SolveSteps& steps, std::size_t step) {
  const auto after = std::upper_bound(steps.runs.begin(), steps.runs.end(), step,
                                      [](std::size_t at, const RunStart& run) { return at < run.first; });
  return static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - steps.runs.begin() - 1, 0));
}

}  // namespace

SolveResult run_attempts(Board& board, SolveSteps* steps) { return attempts<Solver>(board, steps); }

SolveResult run_attempts_plain(Board& board, SolveSteps* steps) {
  return attempts<PlainSolver>(board, steps);
}

int attempt_of(const SolveSteps& steps, std::size_t step) {
  return steps.runs.empty() ? 0 : steps.runs[run_of(steps, step)].attempt;
}

// The placements since the grid was last the givens (or since the start),
// on that grid.
DigitGrid grid_before(const SolveSteps& steps, std::size_t step) {
  DigitGrid grid = steps.start;
  std::size_t from = 0;
  if (!steps.runs.empty()) {
    for (std::size_t run = run_of(steps, step) + 1; run-- > 0;) {
      if (!steps.runs[run].from_givens) continue;
      grid = steps.givens;
      from = steps.runs[run].first;
      break;
    }
  }
  for (std::size_t i = from; i < step && i < steps.placements.size(); ++i)
    grid[steps.placements[i].index] = steps.placements[i].digit;
  return grid;
}

DigitGrid grid_after(const SolveSteps& steps, std::size_t step) {
  DigitGrid grid = grid_before(steps, step);
  if (step < steps.placements.size()) grid[steps.placements[step].index] = steps.placements[step].digit;
  return grid;
}

}  // namespace quorlen
