#include "ui/path_browser.h"

#include <algorithm>
#include <utility>

#include "logic/workspace.h"
#include "ui/step_texts.h"

namespace quorlen {

bool is_single(const logic::Step& step) {
  using logic::Technique;
  return step.technique == Technique::full_house || step.technique == Technique::hidden_single ||
         step.technique == Technique::naked_single;
}

PersonPath PersonPath::work_out(const logic::Grid& start,
                                const std::function<bool(std::size_t steps)>& going_on) {
  PersonPath p;
  p.start = start;
  logic::Workspace work;
  p.path = logic::solve_path(start, work, going_on);
  const std::vector<logic::Step>& steps = p.path.steps;
  logic::Grid grid = start;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    if (k % kCheckpointEvery == 0) p.checkpoints.push_back(grid);
    p.sentences.push_back(technique_sentence(steps[k], grid));
    logic::apply(grid, steps[k]);
    const bool single = is_single(steps[k]);
    if (single && k > 0 && is_single(steps[k - 1])) {
      p.rows.back().count += 1;
      p.rows.back().singles = true;
    } else {
      p.rows.push_back({k, 1, false});
    }
  }
  return p;
}

PathBrowser::PathBrowser(std::shared_ptr<const PersonPath> path) : path_(std::move(path)) {
  before_ = path_->start;
  if (!rows().empty()) choose(0);
}

void PathBrowser::choose(std::size_t row, std::optional<std::size_t> step) {
  if (rows().empty()) return;
  row_ = std::min(row, rows().size() - 1);
  const PathRow& r = rows()[row_];
  step_ = step && r.singles ? std::optional(std::min(*step, r.count - 1)) : std::nullopt;
  first_ = r.first + step_.value_or(0);
  count_ = step_ ? 1 : r.count;
  // From the checkpoint at or before the step, as the path went.
  const std::size_t from = first_ / PersonPath::kCheckpointEvery * PersonPath::kCheckpointEvery;
  before_ = path_->checkpoints[first_ / PersonPath::kCheckpointEvery];
  for (std::size_t k = from; k < first_; ++k) logic::apply(before_, path_->path.steps[k]);
}

logic::Step PathBrowser::shown() const {
  const std::vector<logic::Step>& steps = path_->path.steps;
  if (count_ == 0) return {};
  logic::Step step = steps[first_];
  for (std::size_t k = first_ + 1; k < first_ + count_; ++k) {
    step.placements.insert(step.placements.end(), steps[k].placements.begin(), steps[k].placements.end());
    step.rating = std::max(step.rating, steps[k].rating);
  }
  if (count_ > 1) {  // a run shows what it places, not the houses of each single
    step.cells = {};
    step.pattern.clear();
    step.houses.clear();
  }
  return step;
}

std::string PathBrowser::step_line(std::size_t step) const {
  const logic::Step& s = path_->path.steps[step];
  std::string sentence = path_->sentences[step];
  const std::string name = logic::step_name(s);
  const std::string rating = " (" + logic::rating_text(s.rating) + ")";
  if (sentence.starts_with(name + ":")) {
    sentence.insert(name.size(), rating);
  } else {
    sentence = name + rating + ": " + sentence;
  }
  return std::to_string(step + 1) + ". " + sentence;
}

std::string PathBrowser::row_line(std::size_t row) const {
  const PathRow& r = rows()[row];
  if (!r.singles) return step_line(r.first);
  std::string line = std::to_string(r.first + 1) + "-" + std::to_string(r.first + r.count) + ". " +
                     std::to_string(r.count) + " singles: ";
  for (std::size_t k = r.first; k < r.first + r.count; ++k) {
    if (k != r.first) line += ", ";
    line += placements_text(path_->path.steps[k]);
  }
  return line;
}

std::string PathBrowser::line() const {
  if (count_ == 0) return {};
  return step_ || count_ == 1 ? step_line(first_) : row_line(row_);
}

std::string rating_line(const logic::Rating& rating) {
  if (!rating.complete) {
    return "The techniques stop after " + std::to_string(rating.steps) +
           (rating.steps == 1 ? " step" : " steps") + ", short of the solution: the puzzle has no rating.";
  }
  if (rating.steps == 0) return "The grid is solved already.";
  return "ER " + logic::rating_text(rating.er) + ", EP " + logic::rating_text(rating.ep) + ", ED " +
         logic::rating_text(rating.ed) + "; the hardest step is " + rating.hardest + ".";
}

PathWork::PathWork(const DigitGrid& givens) : givens_(givens) {
  thread_ = std::thread([this] {
    auto path = std::make_shared<const PersonPath>(
        PersonPath::work_out(logic::Grid::from_digits(givens_), [this](std::size_t steps) {
          progress_.store(steps);
          return !stop_.load();
        }));
    const std::lock_guard lock(mutex_);
    result_ = std::move(path);
    done_.notify_all();
  });
}

PathWork::~PathWork() {
  stop();
  thread_.join();
}

std::shared_ptr<const PersonPath> PathWork::result() const {
  const std::lock_guard lock(mutex_);
  return result_;
}

std::shared_ptr<const PersonPath> PathWork::wait() {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return result_ != nullptr; });
  return result_;
}

}  // namespace quorlen
