// The replay of the reduction from the givens.
//
// Every attempt of the Solve command starts a run from the givens, and the
// reduction depends on nothing but the grid it starts from: the masks are
// rebuilt from the digits, and guessing (with tried_mask) comes only after
// it. So the first reduction from the givens is recorded, and a later run
// from the same grid replays what it did instead of reducing again: the
// passes counted, every placement through write_pos in order with the
// reason it was recorded with (the grid and the step log see it as before),
// and the masks and the survey it left.
#include <algorithm>
#include <cstdint>

#include "solver/solver.h"

namespace quorlen {

bool Solver::GivensRun::starts_at(const std::array<std::int16_t, 83>& grid) const {
  return recorded && std::equal(start.begin(), start.end(), grid.begin());
}

// Whether the grid holds the givens and nothing else.
bool Solver::starts_from_givens() const {
  for (int n = 1; n <= 81; ++n) {
    if (board_.cell_value[n - 1] != stored_digit(given_digit(board_, n))) return false;
  }
  return true;
}

void Solver::reduce_or_replay() {
  GivensRun& g = givens_run_;
  const auto& grid = board_.cell_value;
  if (g.starts_at(grid)) {
    const std::int64_t passes = std::int64_t{board_.pass_count} + g.passes;
    board_.pass_count = static_cast<std::int32_t>(std::min<std::int64_t>(passes, INT32_MAX));
    for (const Placement& p : g.placements) write_pos(p.index, digit_mask(p.digit), p.why);
    cand_mask = g.masks;
    survey_ = g.survey;
    no_progress = true;
    return;
  }
  // write_pos adds to the record while `recording` is set.
  g.recording = !g.recorded && starts_from_givens();
  if (!g.recording) {
    reduce_until_no_progress();
    return;
  }
  std::copy_n(grid.begin(), g.start.size(), g.start.begin());
  g.start_survey = survey_;
  g.placements.clear();
  g.passes = reduce_until_no_progress();
  g.masks = cand_mask;
  g.survey = survey_;
  g.recorded = true;
  g.recording = false;
}

}  // namespace quorlen
