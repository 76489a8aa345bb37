// The person's path as the Steps view browses it: each step's grid as it
// stood before it however it is reached, the rating, and work given up on
// (the rows and their lines: tests/data/scenarios/explain.txt).
#include "ui/path_browser.h"

#include <gtest/gtest.h>

#include "logic/workspace.h"

namespace quorlen {
namespace {

// Its pointings sit between runs of singles.
constexpr const char* kPointing =
    "...4.1.....3...9...61...24...7.9.4...5.....1...87.35...8..3..6.1.......35...2...4";

std::shared_ptr<const PersonPath> path_of(const char* puzzle) {
  return std::make_shared<const PersonPath>(
      PersonPath::work_out(*logic::Grid::from_string(puzzle), [](std::size_t) { return true; }));
}

// Every step, reached as a whole row or within its run, shows the grid
// its steps before left; the rating is the solver's own.
TEST(PathBrowser, GridBeforeEveryStepAndTheRatingAgreeWithTheSolver) {
  for (const char* puzzle :
       {kPointing, "9...7...8...1.9.......8.......2.7...83.....577..6.8..9.95...17.417...893..2...5..",
        ".26.3.19.1...6...28.......3.3.4.7.1............83.96...6..2..4...5...9..97.....81"}) {
    SCOPED_TRACE(puzzle);
    const auto path = path_of(puzzle);
    logic::Workspace work;
    EXPECT_EQ(path->path.rating, logic::rate(path->start, work));
    PathBrowser browser(path);
    logic::Grid grid = path->start;
    std::size_t next = 0;
    for (std::size_t row = 0; row < browser.rows().size(); ++row) {
      const PathRow& r = browser.rows()[row];
      ASSERT_EQ(r.first, next);
      next += r.count;
      browser.choose(row);
      EXPECT_TRUE(browser.before() == grid) << row;
      for (std::size_t k = r.first; k < next; ++k) {
        if (r.singles) {
          EXPECT_TRUE(is_single(path->path.steps[k]));
          browser.choose(row, k - r.first);
          EXPECT_TRUE(browser.before() == grid) << k;
        }
        logic::apply(grid, path->path.steps[k]);
      }
    }
    EXPECT_EQ(next, path->path.steps.size());
    EXPECT_TRUE(grid.solved());
  }
}

TEST(PathWork, GivesThePathAndStopsWhenDropped) {
  const auto givens = *parse_puzzle(kPointing);
  PathWork work(givens);
  EXPECT_EQ(work.wait()->path.steps, path_of(kPointing)->path.steps);
  EXPECT_EQ(work.progress(), 59u);

  const PersonPath given_up =
      PersonPath::work_out(logic::Grid::from_digits(givens), [](std::size_t steps) { return steps < 3; });
  EXPECT_EQ(given_up.path.steps.size(), 3u);
  EXPECT_EQ(rating_line(given_up.path.rating),
            "The techniques stop after 3 steps, short of the solution: the puzzle has no rating.");
  // Dropped at once, the work ends without its result (no hang, no leak).
  const PathWork dropped(
      *parse_puzzle("9...3.84....82.5.......6.73..56...3.7.......8.8...14..59.7.......7.92....14.6...7"));
}

}  // namespace
}  // namespace quorlen
