// The person's solver, step by step against the solution, over the rated
// puzzles: a placement is the solution's digit, an elimination never
// strikes it, each step's rating is its technique's rule, and the rating
// is the hardest step's.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <string>
#include <vector>

#include "board/units.h"
#include "logic/rating.h"
#include "solver/complete_search.h"

namespace quorlen::logic {
namespace {

// Builds without optimisation (the sanitizers', coverage) take every 10th
// puzzle.
#ifdef __OPTIMIZE__
constexpr std::size_t kStride = 1;
#else
constexpr std::size_t kStride = 10;
#endif

struct RatedPuzzle {
  std::string text;
  int er = 0;  // tenths
};

std::vector<RatedPuzzle> rated_puzzles() {
  std::ifstream in(QUORLEN_TEST_DATA_DIR "/rated.txt");
  std::vector<RatedPuzzle> puzzles;
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 85 || line[81] != '\t') continue;
    puzzles.push_back({line.substr(0, 81), std::stoi(line.substr(82)) * 10 + (line.back() - '0')});
  }
  return puzzles;
}

// The solution's digit of a cell numbered as the person's solver numbers them.
int solution_digit(const DigitGrid& solution, int cell) {
  return solution[grid_index(row_of(cell), column_of(cell))];
}

struct Range {
  int low;
  int high;
};

// What each technique's rule rates a step, read from the step and the grid
// it was found on (for a unique loop's type 3, the two kinds of set differ
// by a tenth that the step does not show).
Range rule(const Step& step, const Grid& grid) {
  const auto fixed = [](int r) { return Range{r, r}; };
  int widest = 0;
  for (const int cell : step.cells) widest = std::max(widest, std::popcount(unsigned{grid.candidates(cell)}));
  bool box = false, row = false, column = false;
  for (int i = 0; i < step.size && i < static_cast<int>(step.houses.size()); ++i) {
    const HouseKind kind = house_kind(step.houses[static_cast<std::size_t>(i)]);
    box |= kind == HouseKind::box;
    row |= kind == HouseKind::row;
    column |= kind == HouseKind::column;
  }
  const int mixed = !box && !(row && column) ? 0 : box && row && column ? 2 : 1;
  switch (step.technique) {
    case Technique::full_house:
      return fixed(10);
    case Technique::hidden_single:
      return fixed(house_kind(step.houses.at(0)) == HouseKind::box ? 12 : 15);
    case Technique::direct_pointing:
      return fixed(17);
    case Technique::direct_claiming:
      return fixed(19);
    case Technique::direct_hidden_pair:
      return fixed(20);
    case Technique::naked_single:
      return fixed(23);
    case Technique::direct_hidden_triplet:
      return fixed(25);
    case Technique::pointing:
      return fixed(26);
    case Technique::claiming:
      return fixed(28);
    case Technique::naked_pair:
      return fixed(30);
    case Technique::x_wing:
      return fixed(32);
    case Technique::hidden_pair:
      return fixed(34);
    case Technique::naked_triplet:
      return fixed(36);
    case Technique::swordfish:
      return fixed(38);
    case Technique::hidden_triplet:
      return fixed(40);
    case Technique::skyscraper:
      return fixed(40);
    case Technique::two_string_kite:
    case Technique::turbot_fish:
      return fixed(41);
    case Technique::empty_rectangle:
    case Technique::grouped_two_links:
      return fixed(43);
    case Technique::xy_wing:
      return fixed(42);
    case Technique::xyz_wing:
      return fixed(44);
    case Technique::unique_rectangle:
    case Technique::unique_loop: {
      const int base = step.size == 4 ? 45 : step.size == 6 ? 46 : step.size == 8 ? 47 : 50;
      if (step.kind != 3) return fixed(base);
      const int set_cells = step.cells.size() - step.size;
      return {base + set_cells - 1, base + set_cells};
    }
    case Technique::naked_quad:
      return fixed(50);
    case Technique::jellyfish:
      return fixed(52);
    case Technique::hidden_quad:
      return fixed(54);
    case Technique::three_links:
      return fixed(54 + mixed);
    case Technique::grouped_three_links:
      return fixed(57);
    case Technique::wxyz_wing:
      return fixed(55 + 1 - std::abs(3 - widest));
    case Technique::bug:
      return fixed(step.kind == 1 ? 56 : step.kind == 3 ? 56 + step.size : 57);
    case Technique::four_links:
      return fixed(58 + mixed);
    case Technique::grouped_four_links:
      return fixed(61);
    case Technique::vwxyz_wing:
      return fixed(62 + 2 - std::abs(3 - widest));
    case Technique::aligned_pair_exclusion:
      return fixed(62);
    case Technique::uvwxyz_wing:
      return fixed(66);
    case Technique::tuvwxyz_wing:
    case Technique::aligned_triplet_exclusion:
      return fixed(75);
    default:
      return {65, 200};  // chains: their length decides
  }
}

// How many puzzles of a band of ratings got the rating the bank lists.
struct Agreement {
  int puzzles = 0;
  int exact = 0;
  void add(int listed, int got) {
    ++puzzles;
    exact += listed == got ? 1 : 0;
  }
};

// One puzzle's path; a fault ends it, the other puzzles still run.
void check_path(const RatedPuzzle& puzzle, Workspace& work, Agreement& agreement) {
  SCOPED_TRACE(puzzle.text);
  const auto grid = Grid::from_string(puzzle.text);
  ASSERT_TRUE(grid);
  DigitGrid solution{};
  ASSERT_EQ(count_solutions(grid->digits(), &solution), 1);
  const Path path = solve_path(*grid, work);
  Grid replay = *grid;
  int hardest = 0;
  for (const Step& step : path.steps) {
    SCOPED_TRACE(step_name(step) + " " + rating_text(step.rating));
    ASSERT_FALSE(step.placements.empty() && step.eliminations.empty());
    for (const Candidate placed : step.placements) {
      ASSERT_EQ(placed.digit, solution_digit(solution, placed.cell)) << "placed in cell " << int{placed.cell};
    }
    for (const Candidate struck : step.eliminations) {
      ASSERT_TRUE(replay.has(struck.cell, struck.digit)) << "not a candidate: cell " << int{struck.cell};
      ASSERT_NE(struck.digit, solution_digit(solution, struck.cell)) << "struck in cell " << int{struck.cell};
    }
    const Range expected = rule(step, replay);
    ASSERT_GE(step.rating, expected.low);
    ASSERT_LE(step.rating, expected.high);
    hardest = std::max(hardest, step.rating);
    apply(replay, step);
  }
  EXPECT_EQ(path.rating.steps, static_cast<int>(path.steps.size()));
  ASSERT_TRUE(path.rating.complete);
  EXPECT_EQ(replay.digits(), solution);
  EXPECT_EQ(path.rating.er, hardest);
  agreement.add(puzzle.er, path.rating.er);
}

TEST(Path, EveryStepHoldsAgainstTheSolution) {
  const std::vector<RatedPuzzle> puzzles = rated_puzzles();
  ASSERT_GT(puzzles.size(), 1000u);
  Workspace work;
  // Below 4.0; 4.0 to 6.1; 6.2 and up.
  std::array<Agreement, 3> bands;
  for (std::size_t i = 0; i < puzzles.size(); i += kStride) {
    const int er = puzzles[i].er;
    check_path(puzzles[i], work, bands[er < 40 ? 0 : er < 62 ? 1 : 2]);
  }
  // The least exact agreement with the bank's ratings the rating may fall
  // to, in every band. Today 3 of the 1,739 puzzles, all between 4.0 and
  // 6.1, are rated a tenth lower than the bank lists; two more in that band
  // fail the test.
  const auto share = [](int part, int whole) { return whole == 0 ? 100.0 : 100.0 * part / whole; };
  for (const Agreement& band : bands) EXPECT_GE(share(band.exact, band.puzzles), 99.0);
}

}  // namespace
}  // namespace quorlen::logic
