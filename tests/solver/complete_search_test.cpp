#include "solver/complete_search.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/grid_rules.h"

namespace quorlen {
namespace {

// Locally consistent givens with no solution, found only by searching.
constexpr std::string_view kNoSolution =
    "534678.126.2195.4819.3425678.976142342685379.75.9248.6.61537284287419635345286.79";
constexpr std::string_view kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// The tab-separated fields of each line of a file in tests/data, '#' lines
// left out.
std::vector<std::vector<std::string>> read_rows(const char* name) {
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + name);
  EXPECT_TRUE(in) << name;
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, '\t');) rows.back().push_back(field);
  }
  return rows;
}

// Counts known by construction: 2 stands for two or more.
TEST(CompleteSearch, CountsSolutionsUpToTwo) {
  const std::pair<std::string, int> cases[] = {
      {"11" + std::string(79, '.'), 0},  // a repeated given
      {".123456789" + std::string(71, '.'), 0},
      {std::string(kNoSolution), 0},
      {std::string(kSolved), 1},
      {"........." + std::string(kSolved.substr(9)), 1},  // row 1 empty: each cell lacks one digit
      {std::string(81, '.'), 2},
      // 6 7 / 7 6 in rows 1 and 4, columns 4 and 5, two boxes: they can swap.
      {"534..8912672195348198342567859..1423426853791713924856961537284287419635345286179", 2},
  };
  for (const auto& [puzzle, count] : cases) {
    const DigitGrid grid = *parse_puzzle(puzzle);
    DigitGrid first{}, found{};
    EXPECT_EQ(count_solutions(grid, &first), count) << puzzle;
    EXPECT_EQ(find_solution(grid, found), count > 0) << puzzle;
    EXPECT_TRUE(count == 0 || (solves(grid, first) && solves(grid, found))) << puzzle;
  }
}

// Every puzzle of these collections has exactly one solution.
TEST(CompleteSearch, CountsOneSolutionForEveryCollectionPuzzle) {
  for (const char* name :
       {"easy50.txt", "clues25.txt", "clues30.txt", "top95.txt", "top1465.txt", "clues17.txt"}) {
    std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + name);
    ASSERT_TRUE(in) << name;
    int puzzles = 0;
    for (std::string line; std::getline(in, line); ++puzzles) {
      ASSERT_EQ(count_solutions(*parse_puzzle(line.substr(0, 81))), 1) << name << ": " << line;
    }
    EXPECT_GE(puzzles, 50) << name;
  }
}

// The Solve command shows the solution found, so a grid with several must
// always get the same one: the first of the plain search's order. Each grid
// of the file has more than one; the solutions were recorded from the
// plain search itself.
TEST(CompleteSearch, GridsWithSeveralSolutionsGetTheFirstInSearchOrder) {
  const auto rows = read_rows("first_solutions.tsv");
  EXPECT_GT(rows.size(), 50u);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 2u);
    DigitGrid solution{};
    ASSERT_TRUE(find_solution(*parse_puzzle(row[0]), solution)) << row[0];
    EXPECT_EQ(puzzle_string(solution), row[1]) << row[0];
  }
}

// The slowest grids known, each settled within its bound on the work: the
// guesses of a count and of find_solution (which the Solve command runs
// when its attempts give up), and the counts find_solution asks for. A
// search that does not narrow, or misses what makes a grid impossible,
// exceeds them by orders of magnitude on these grids.
TEST(CompleteSearch, SettlesTheSlowestGridsKnownWithBoundedWork) {
  constexpr long long kFindCounts = 100;
  const auto rows = read_rows("slow_grids.tsv");
  EXPECT_GT(rows.size(), 10u);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 5u);
    const DigitGrid grid = *parse_puzzle(row[0]);
    SearchStats counting, finding;
    const int count = count_solutions(grid, nullptr, &counting);
    EXPECT_EQ(std::to_string(count), row[1]) << row[0];
    DigitGrid solution{};
    EXPECT_EQ(find_solution(grid, solution, &finding), count > 0) << row[0];
    EXPECT_LE(counting.guesses, std::stoll(row[2])) << row[0];
    EXPECT_LE(finding.guesses, std::stoll(row[3])) << row[0];
    EXPECT_LE(finding.counts, kFindCounts) << row[0];
  }
}

// The same generator state draws the same solution, on every machine: the
// one pinned here. Other states draw other solutions.
TEST(CompleteSearch, RandomSolutionsFollowTheGenerator) {
  const DigitGrid empty{};
  std::mt19937_64 random(14);
  DigitGrid first{}, again{}, other{};
  ASSERT_TRUE(random_solution(empty, random, first));
  EXPECT_EQ(puzzle_string(first),
            "523647198817239546694185327735892614249561873186473952452316789378954261961728435");
  random.seed(14);
  ASSERT_TRUE(random_solution(empty, random, again));
  EXPECT_EQ(again, first);
  ASSERT_TRUE(random_solution(empty, random, other));
  EXPECT_NE(other, first);
  EXPECT_TRUE(solves(empty, other));

  const DigitGrid puzzle = *parse_puzzle(std::string(81 - 9, '.') + "123456789");
  ASSERT_TRUE(random_solution(puzzle, random, other));
  EXPECT_TRUE(solves(puzzle, other));
  EXPECT_FALSE(random_solution(*parse_puzzle(kNoSolution), random, other));
}

}  // namespace
}  // namespace quorlen
