#include "solver/complete_search.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <utility>

namespace quorlen {
namespace {

// Locally consistent givens with no solution, found only by searching.
constexpr std::string_view kNoSolution =
    "534678.126.2195.4819.3425678.976142342685379.75.9248.6.61537284287419635345286.79";
constexpr std::string_view kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

TEST(CompleteSearch, ProvesThatThereIsNoSolution) {
  for (const std::string& puzzle : {
           ".123456789" + std::string(71, '.'),  // row 1 column 1 can hold nothing
           "11" + std::string(79, '.'),          // a repeated given
           std::string(kNoSolution),
       }) {
    DigitGrid solution{};
    EXPECT_FALSE(find_solution(*parse_puzzle(puzzle), solution)) << puzzle;
  }
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
  for (const auto& [puzzle, count] : cases)
    EXPECT_EQ(count_solutions(*parse_puzzle(puzzle)), count) << puzzle;
}

// Every puzzle of these collections has exactly one solution.
TEST(CompleteSearch, CountsOneSolutionForEveryCollectionPuzzle) {
  for (const char* name : {"top1465.txt", "clues17.txt"}) {
    std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + name);
    ASSERT_TRUE(in) << name;
    int puzzles = 0;
    for (std::string line; std::getline(in, line); ++puzzles) {
      ASSERT_EQ(count_solutions(*parse_puzzle(line.substr(0, 81))), 1) << name << ": " << line;
    }
    EXPECT_GT(puzzles, 1000) << name;
  }
}

// The Solve command shows the solution found, so a grid with several must
// always get the same one: the first in the search's fixed order. Recorded
// from the first build; each grid here has more than one solution.
TEST(CompleteSearch, GridsWithSeveralSolutionsGetTheFirstInSearchOrder) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {".................................................................................",
       "147286359258379146369154728471695283582713694693428571714832965825961437936547812"},
      // 6 7 / 7 6 in rows 1 and 4, columns 4 and 5, can swap.
      {"534..8912672195348198342567859..1423426853791713924856961537284287419635345286179",
       "534678912672195348198342567859761423426853791713924856961537284287419635345286179"},
      // Hard puzzles with a few givens removed, where a search in another
      // order meets another solution first.
      {"8.2....93....7.6.........2.5....6..8...3.....7.49.....4..8......6..4......5....1.",
       "872654193341279685956138427523416978689327541714985362437891256168542739295763814"},
      {".8..1......5....3.......4.....6...7.89....2.....3.....2.....1.9..67........4.....",
       "489213657165847932723956418351692874894175263672384591237568149946721385518439726"},
  };
  for (const auto& [puzzle, expected] : cases) {
    DigitGrid solution{};
    ASSERT_TRUE(find_solution(*parse_puzzle(puzzle), solution)) << puzzle;
    EXPECT_EQ(puzzle_string(solution), expected) << puzzle;
  }
}

}  // namespace
}  // namespace quorlen
