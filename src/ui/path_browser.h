// The person's path through a puzzle, to browse: the steps the person's
// solver takes from the givens, each with its sentence, in rows where a run
// of singles folds into one so that the X-Wing among them stands out; the
// step or row chosen, and every cell's candidates as they stood before it.
//
// Working the path out can take seconds on the hardest puzzles (nested
// chains), so PathWork does it on a thread of its own while the window
// goes on.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "board/puzzle.h"
#include "logic/grid.h"
#include "logic/rating.h"
#include "logic/step.h"

namespace quorlen {

// A row of the list: one step, or a run of two or more singles in a row.
struct PathRow {
  std::size_t first = 0;  // its first step
  std::size_t count = 1;
  bool singles = false;  // a folded run, whose steps open beneath it
  friend bool operator==(const PathRow&, const PathRow&) = default;
};

// The path worked out once, and what never changes while it is browsed.
struct PersonPath {
  // Every step the person's solver takes from `start` (the givens' grid),
  // until it is solved or no technique applies; `going_on` as
  // logic::solve_path takes it.
  static PersonPath work_out(const logic::Grid& start,
                             const std::function<bool(std::size_t steps)>& going_on);

  logic::Grid start;
  logic::Path path;
  std::vector<std::string> sentences;  // technique_sentence of each step, on its grid
  std::vector<PathRow> rows;
  std::vector<logic::Grid> checkpoints;  // [c]: the grid before step c * kCheckpointEvery
  static constexpr std::size_t kCheckpointEvery = 16;
};

// Whether a step is a single (a full house, a hidden or a naked single):
// the steps a run folds.
bool is_single(const logic::Step& step);

class PathBrowser {
 public:
  // The first row is chosen; a path without steps (a solved grid) has no
  // row to choose.
  explicit PathBrowser(std::shared_ptr<const PersonPath> path);

  const PersonPath& path() const { return *path_; }
  const std::vector<PathRow>& rows() const { return path_->rows; }
  const logic::Rating& rating() const { return path_->path.rating; }

  // A whole row, or one step of a folded row (from 0); past the end, the
  // last.
  void choose(std::size_t row, std::optional<std::size_t> step = std::nullopt);
  std::size_t row() const { return row_; }
  std::optional<std::size_t> step_in_row() const { return step_; }
  // The steps chosen: a folded row whole, or one step.
  std::size_t first() const { return first_; }
  std::size_t count() const { return count_; }
  // The grid, and every empty cell's candidates, before the first step chosen.
  const logic::Grid& before() const { return before_; }
  // The step chosen; a run of singles as one step that places all their digits.
  logic::Step shown() const;

  // "3. Pointing (2.6): in the top-left box, ..." for a step (from 0).
  std::string step_line(std::size_t step) const;
  // A row: its step's line, or for a run "4-15. 12 singles: r1c1=5, r2c3=4, ...".
  std::string row_line(std::size_t row) const;
  // The line of what is chosen.
  std::string line() const;

 private:
  std::shared_ptr<const PersonPath> path_;
  std::size_t row_ = 0;
  std::optional<std::size_t> step_;
  std::size_t first_ = 0, count_ = 0;
  logic::Grid before_;
};

// The rating of a path as the window gives it on request: "ER 7.2, EP 7.2,
// ED 2.6; the hardest step is Nishio Forcing Chains." A path the techniques
// could not finish says so instead.
std::string rating_line(const logic::Rating& rating);

// The person's path of a puzzle worked out on a thread of its own. The
// window asks now and then whether it is done; dropping the work stops it
// after the step it is on.
class PathWork {
 public:
  explicit PathWork(const DigitGrid& givens);
  ~PathWork();
  PathWork(const PathWork&) = delete;
  PathWork& operator=(const PathWork&) = delete;

  const DigitGrid& givens() const { return givens_; }
  // How many steps are worked out so far.
  std::size_t progress() const { return progress_.load(); }
  // The path once worked out; null until then.
  std::shared_ptr<const PersonPath> result() const;
  // The path, waiting for it as long as it takes.
  std::shared_ptr<const PersonPath> wait();
  // Gives the work up after the step it is on; its result is then incomplete.
  void stop() { stop_.store(true); }

 private:
  DigitGrid givens_;
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> progress_{0};
  mutable std::mutex mutex_;
  std::condition_variable done_;
  std::shared_ptr<const PersonPath> result_;  // under mutex_
  std::thread thread_;
};

}  // namespace quorlen
