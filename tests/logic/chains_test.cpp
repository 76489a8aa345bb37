// The chain searches: a table of grids and the step each search finds
// there (tests/data/logic/chains.txt), the shape of the chains a step
// carries, and what no single step shows.
#include "logic/chains.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "board/units.h"
#include "logic/rating.h"
#include "logic/techniques.h"
#include "solver/complete_search.h"

namespace quorlen::logic {
namespace {

std::string text(Candidate c) {
  return "r" + std::to_string(c.cell / 9 + 1) + "c" + std::to_string(c.cell % 9 + 1) + "." +
         std::to_string(c.digit);
}

Grid grid_of(const std::string& digits, const std::string& struck) {
  Grid grid = *Grid::from_string(digits);
  std::istringstream in(struck);
  for (std::string c; in >> c;) grid.eliminate((c[1] - '1') * 9 + c[3] - '1', c[5] - '0');
  return grid;
}

bool search(const std::string& name, const Grid& grid, Step& step, Workspace& work) {
  if (name == "forcing_chains") return find_forcing_chains(grid, step, work);
  if (name == "nishio") return find_nishio(grid, step, work);
  if (name == "multiple") return find_multiple_chains(grid, step, work);
  const int inner = name.size() > 10 ? name[10] - '0' : 0;
  return find_dynamic_chains(grid, step, work, name[8] - '0', inner);
}

std::string result(const Step& step) {
  std::string out;
  for (const Candidate c : step.placements) out += (out.empty() ? "+" : " +") + text(c);
  for (const Candidate c : step.eliminations) out += (out.empty() ? "-" : " -") + text(c);
  return out;
}

bool is_static(const Step& step) { return step.technique <= Technique::forcing_chain; }

// A link of a chain on the grid as it is: true to false within a cell or
// between peers on one digit; false to true in a cell with two candidates,
// or between the digit's only two places in a house.
bool static_link(const Grid& grid, ChainNode from, ChainNode to) {
  const int a = from.candidate.cell, b = to.candidate.cell, d = from.candidate.digit;
  if (from.on == to.on) return false;
  if (a == b) return from.candidate.digit != to.candidate.digit && (from.on || two_bits(grid.candidates(a)));
  if (to.candidate.digit != d || !sees(a, b)) return false;
  if (from.on) return true;
  for (const int house : cell_houses(a)) {
    if (kHouseSet[house].has(b) && (grid.positions(d) & kHouseSet[house]).size() == 2) return true;
  }
  return false;
}

// Every chain runs from an assumption to the step's conclusion: cycles back
// to their start, forcing chains to the start's opposite, a contradiction's
// two chains to a node and its opposite, and the other kinds' chains, one
// per assumption, to the one node the step concludes. (Inside nested chains
// a node that an inner search struck without needing anything the chain
// struck has no parent: a chain through it begins there.)
void expect_chains_conclude(const Step& step, const Grid& grid) {
  ASSERT_FALSE(step.chains.empty());
  const bool whole = step.level == 0;
  const ChainNode start = step.chains[0].front(), end = step.chains[0].back();
  const bool placed = !step.placements.empty();
  const Candidate concluded = (placed ? step.placements : step.eliminations)[0];
  switch (step.technique) {
    case Technique::x_cycle:
    case Technique::y_cycle:
    case Technique::xy_cycle:
      EXPECT_EQ(start, end);
      return;
    case Technique::nishio:
    case Technique::dynamic_contradiction:
      ASSERT_EQ(step.chains.size(), 2u);
      EXPECT_EQ(step.chains[1].back().candidate, end.candidate);
      EXPECT_NE(step.chains[1].back().on, end.on);
      if (!whole) return;
      EXPECT_EQ(step.chains[1].front(), start);
      EXPECT_EQ(placed, !start.on);
      EXPECT_EQ(concluded, start.candidate);
      return;
    default:
      break;
  }
  for (const Chain& chain : step.chains) EXPECT_EQ(chain.back(), end);
  EXPECT_EQ(placed, end.on);
  EXPECT_EQ(concluded, end.candidate);
  if (!whole) return;
  std::set<std::pair<Candidate, bool>> starts;
  for (const Chain& chain : step.chains) starts.insert({chain.front().candidate, chain.front().on});
  EXPECT_EQ(starts.size(), step.chains.size());
  const int cell = start.candidate.cell, digit = start.candidate.digit;
  switch (step.technique) {
    case Technique::forcing_x_chain:
    case Technique::forcing_chain:
      EXPECT_EQ(start.candidate, end.candidate);
      EXPECT_NE(start.on, end.on);
      break;
    case Technique::dynamic_double:
      ASSERT_EQ(step.chains.size(), 2u);
      EXPECT_EQ(step.chains[1].front().candidate, start.candidate);
      break;
    case Technique::cell_forcing:
    case Technique::dynamic_cell:
      EXPECT_EQ(static_cast<int>(step.chains.size()), std::popcount(unsigned{grid.candidates(cell)}));
      for (const Chain& chain : step.chains) EXPECT_EQ(chain.front().candidate.cell, cell);
      break;
    default:  // region forcing
      ASSERT_EQ(step.houses.size(), 1u);
      EXPECT_EQ(static_cast<int>(step.chains.size()),
                (grid.positions(digit) & kHouseSet[step.houses[0]]).size());
      for (const Chain& chain : step.chains) {
        EXPECT_TRUE(kHouseSet[step.houses[0]].has(chain.front().candidate.cell));
        EXPECT_EQ(chain.front().candidate.digit, digit);
      }
      break;
  }
}

TEST(ChainTable, EachSearchFindsItsStep) {
  std::ifstream in(QUORLEN_TEST_DATA_DIR "/logic/chains.txt");
  ASSERT_TRUE(in);
  Workspace work;
  int rows = 0;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE("chains.txt line " + std::to_string(number));
    std::vector<std::string> field;
    std::istringstream fields(line);
    for (std::string f; std::getline(fields, f, '\t');) field.push_back(f);
    ASSERT_GE(field.size(), 4u);
    const Grid grid = grid_of(field[1], field[2]);
    Step step;
    const bool found = search(field[0], grid, step, work);
    ++rows;
    if (field[3] == "none") {
      EXPECT_FALSE(found);
      continue;
    }
    ASSERT_TRUE(found);
    ASSERT_EQ(field.size(), 7u);
    EXPECT_EQ(rating_text(step.rating), field[3]);
    EXPECT_EQ(step_name(step), field[4]);
    EXPECT_EQ(step.complexity, std::stoi(field[5]));
    EXPECT_EQ(result(step), field[6]);
    expect_chains_conclude(step, grid);
    if (is_static(step)) {
      for (std::size_t i = 1; i < step.chains[0].size(); ++i) {
        EXPECT_TRUE(static_link(grid, step.chains[0][i - 1], step.chains[0][i])) << "link " << i;
      }
    }
  }
  EXPECT_EQ(rows, 27);
}

TEST(ChainRating, LengthAddsATenthPerThresholdPassed) {
  // Thresholds on complexity - 2: 4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 128.
  const std::pair<int, int> rows[] = {
      {2, 0},  {6, 0},  {7, 1},   {8, 1},    {9, 2},    {10, 2},   {11, 3},   {14, 3},   {15, 4},
      {18, 4}, {19, 5}, {26, 5},  {27, 6},   {34, 6},   {35, 7},   {50, 7},   {51, 8},   {66, 8},
      {67, 9}, {98, 9}, {99, 10}, {130, 10}, {131, 11}, {194, 11}, {195, 12}, {258, 12}, {259, 13}};
  for (const auto& [complexity, tenths] : rows) {
    EXPECT_EQ(rating_tenths(chain_rating(6.6, complexity)), 66 + tenths) << complexity;
  }
}

// The count the complexity adds up, against the plain definition: the
// distinct nodes reachable through parents. Dynamic chains with "+" give
// nodes many parents that share theirs.
TEST(ChainComplexity, AncestorsAreCountedOnce) {
  const Grid grid =
      *Grid::from_string("1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1");
  Workspace work;
  ChainContext& ctx = work.chains().context(0);
  reset_context(ctx);
  const ChainMode plus{ChainSearch::dynamic, 1, 0};
  int with_shared = 0;
  for (const int cell : {1, 10, 40}) {
    const int start = node_id(cell, std::countr_zero(unsigned{grid.candidates(cell)}), cell != 10);
    const ChainBranch branch =
        ctx.branches[static_cast<std::size_t>(propagate(work.chains(), 0, grid, plus, start))];
    for (std::uint32_t entry = 0; entry < branch.count; ++entry) {
      std::set<int> seen;
      std::vector<std::uint32_t> todo = {entry};
      int paths = 0;
      while (!todo.empty()) {
        const ChainEntry e = ctx.entries[branch.first + todo.back()];
        todo.pop_back();
        ++paths;
        if (!seen.insert(e.node).second) continue;
        for (std::uint32_t p = 0; p < e.parent_count; ++p) {
          todo.push_back(static_cast<std::uint32_t>(entry_of(ctx, branch, ctx.parents[e.parents + p])));
        }
      }
      with_shared += paths > static_cast<int>(seen.size());
      ASSERT_EQ(count_ancestors(ctx, branch, static_cast<int>(entry)), static_cast<int>(seen.size()));
    }
  }
  EXPECT_GT(with_shared, 0);
}

TEST(ChainGuard, OneSolutionOrNone) {
  const std::string unique =
      "1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1";
  EXPECT_TRUE(has_one_solution(*Grid::from_string(unique)));
  // Two givens fewer: many solutions.
  EXPECT_FALSE(has_one_solution(*Grid::from_string(
      "1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8..........")));
  // A digit twice in a row.
  EXPECT_FALSE(has_one_solution(*Grid::from_string(
      "11......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1")));
  // Notes that leave out the solution's digit of r1c2.
  Grid notes = *Grid::from_string(unique);
  DigitGrid solution{};
  ASSERT_EQ(count_solutions(notes.digits(), &solution), 1);
  notes.eliminate(1, solution[grid_index(0, 1)]);
  EXPECT_FALSE(has_one_solution(notes));
}

// Sudoku Explainer's own step list for this puzzle (7.1/1.2/1.2) has these
// two chains among its steps: a Y-cycle (complexity 10) and a forcing chain
// (r4c2.5 struck, complexity 8).
TEST(ChainPath, AsTheRaterListsThem) {
  const auto grid =
      Grid::from_string("590000007040010083008034900001402000069000820000109300004670200980040030700000016");
  Workspace work;
  const Path path = solve_path(*grid, work);
  std::string chains;
  for (const Step& step : path.steps) {
    if (step.complexity > 0)
      chains += rating_text(step.rating) + " " + step_name(step) + " " + std::to_string(step.complexity) +
                " " + result(step) + "; ";
  }
  EXPECT_EQ(chains, "6.7 Bidirectional Y-Cycle 10 -r6c3.2 -r9c2.5; 7.1 Forcing Chain 8 -r4c2.5; ");
  EXPECT_EQ(path.rating.er, 71);
  EXPECT_EQ(path.rating.ep, 12);
  EXPECT_EQ(path.rating.ed, 12);
}

#ifdef __OPTIMIZE__
// A puzzle that takes nested chains (several seconds): solved to the end,
// every step true to its solution.
TEST(ChainPath, NestedChainsSolveTheHardest) {
  const auto grid =
      Grid::from_string("1.......2.9.4...5...6...7...5.9.3.......7.......85..4.7.....6...3...9.8...2.....1");
  DigitGrid solution{};
  ASSERT_EQ(count_solutions(grid->digits(), &solution), 1);
  Workspace work;
  const Path path = solve_path(*grid, work);
  ASSERT_TRUE(path.rating.complete);
  int nested = 0;
  for (const Step& step : path.steps) {
    nested += step.level >= 2;
    for (const Candidate c : step.placements)
      EXPECT_EQ(c.digit, solution[grid_index(c.cell / 9, c.cell % 9)]);
    for (const Candidate c : step.eliminations)
      EXPECT_NE(c.digit, solution[grid_index(c.cell / 9, c.cell % 9)]);
  }
  EXPECT_GT(nested, 0);
}
#endif

}  // namespace
}  // namespace quorlen::logic
