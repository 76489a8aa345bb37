#include "ui/steps_browser.h"

#include <algorithm>
#include <utility>

#include "ui/outcome_texts.h"

namespace quorlen {

StepsBrowser::StepsBrowser(std::shared_ptr<const SolveSteps> steps) : steps_(std::move(steps)) {
  const std::vector<Placement>& placements = steps_->placements;
  const std::vector<RunStart>& runs = steps_->runs;
  const std::size_t total = placements.size();
  resets_.assign(total, false);
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const std::size_t end = r + 1 < runs.size() ? runs[r + 1].first : total;
    if (runs[r].from_givens && runs[r].first < total) resets_[runs[r].first] = true;
    // The complete search is the last run, and counts as the last attempt.
    const bool search = steps_->result.by_complete_search && r + 1 == runs.size();
    if (end == runs[r].first) continue;
    if (!groups_.empty() && groups_.back().attempt == runs[r].attempt && groups_.back().search == search) {
      groups_.back().count += end - runs[r].first;
    } else {
      groups_.push_back({runs[r].first, end - runs[r].first, runs[r].attempt, search});
    }
  }
  if (groups_.empty()) groups_.push_back({0, total, 1, false});
  std::rotate(groups_.begin(), groups_.end() - 1, groups_.end());

  told_ = tell_steps(*steps_);
  DigitGrid grid = steps_->start;
  for (std::size_t k = 0; k < total; ++k) {
    if (resets_[k]) grid = steps_->givens;
    if (k % kCheckpointEvery == 0) checkpoints_.push_back(grid);
    grid[placements[k].index] = placements[k].digit;
  }
  choose(0, 0);
}

void StepsBrowser::choose(std::size_t group, std::size_t step) {
  group_ = std::min(group, groups_.size() - 1);
  step_ = std::min(step, groups_[group_].count - 1);
  // From the checkpoint at or before the placement, as grid_after() walks
  // from the start.
  const std::size_t at = groups_[group_].first + step_;
  const std::size_t from = at / kCheckpointEvery * kCheckpointEvery;
  grid_ = checkpoints_[at / kCheckpointEvery];
  for (std::size_t k = from; k <= at; ++k) {
    if (resets_[k] && k != from) grid_ = steps_->givens;
    grid_[steps_->placements[k].index] = steps_->placements[k].digit;
  }
}

const Placement& StepsBrowser::placement(std::size_t step) const {
  return steps_->placements[groups_[group_].first + step];
}

const Telling& StepsBrowser::telling(std::size_t step) const { return told_[groups_[group_].first + step]; }

std::string StepsBrowser::caption(std::size_t group) const {
  const StepGroup& g = groups_[group];
  std::string text = g.search ? "The complete search" : "Attempt " + std::to_string(g.attempt);
  const std::string steps = std::to_string(g.count) + (g.count == 1 ? " step" : " steps");
  std::string wrong;  // "step 27", "steps 27 and 55"
  std::size_t wrong_count = 0;
  for (std::size_t s = 0; s < g.count; ++s) {
    if (!went_wrong(told_[g.first + s])) continue;
    if (wrong_count > 0) wrong += " and ";  // an attempt has two runs at most
    wrong += std::to_string(s + 1);
    ++wrong_count;
  }
  wrong.insert(0, wrong_count > 1 ? "steps " : "step ");
  if (group == 0 && steps_->result.outcome == SolveOutcome::solved) {
    return text + ", which solved the puzzle" + (wrong_count > 0 ? " after going wrong at " + wrong : "") +
           ": " + steps;
  }
  if (wrong_count == 0) return text + ", failed: " + steps;
  return text + ", failed at " + wrong + " of " + std::to_string(g.count);
}

std::string StepsBrowser::line(std::size_t step) const {
  return step_line(step, placement(step), telling(step));
}

std::string step_line(std::size_t step, const Placement& placement, const Telling& telling) {
  std::string line = std::to_string(step + 1) + ". ";
  append_step_sentence(line, placement, telling);
  return line;
}

}  // namespace quorlen
