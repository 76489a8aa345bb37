// Every placement of the Solve command carries a reason that holds on the
// grid just before it, and the rules alone (the plain path) make the same
// placements for the same reasons, runs, counts and flags.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <string>

#include "board/units.h"
#include "solver/attempts.h"
#include "solver/complete_search.h"

namespace quorlen {
namespace {

// The puzzles of a collection, or the puzzle field of golden_solves.tsv.
std::vector<DigitGrid> puzzles_of(const std::string& name) {
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + name);
  std::vector<DigitGrid> puzzles;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t at = name.ends_with(".tsv") ? line.find('\t', line.find('\t') + 1) + 1 : 0;
    puzzles.push_back(parse_puzzle(line.substr(at, 81)).value());
  }
  EXPECT_FALSE(puzzles.empty()) << name;
  return puzzles;
}

struct Solved {
  Board board;
  View view;
  SolveSteps steps;
};

Solved solve(const DigitGrid& givens, bool plain) {
  Solved s;
  for (int n = 1; n <= 81; ++n) s.board.given_value[n] = givens[n - 1] != 0 ? givens[n - 1] : kNotGiven;
  restore_givens(s.board);
  reset_solve_state(s.board);
  (plain ? run_attempts_plain : run_attempts)(s.board, s.view, &s.steps);
  return s;
}

int digits_in(const DigitGrid& grid, int unit) {
  int digits = 0;
  for (int pos = 1; pos <= 9; ++pos) digits |= digit_mask(grid[kUnitCells[unit][pos] - 1]);
  return digits & kAllDigits;
}

bool repeats(const DigitGrid& grid) {
  for (int unit = 1; unit <= 27; ++unit) {
    int seen = 0;
    for (int pos = 1; pos <= 9; ++pos) {
      const int bit = digit_mask(grid[kUnitCells[unit][pos] - 1]) & kAllDigits;
      if ((seen & bit) != 0) return true;
      seen |= bit;
    }
  }
  return false;
}

// The digits an empty cell (1..81) can still take on the grid.
int candidates(const DigitGrid& grid, int cell) {
  int taken = 0;
  for (int unit = 1; unit <= 27; ++unit) {
    if ((kCellUnits[cell] >> unit & 1) != 0) taken |= digits_in(grid, unit);
  }
  return kAllDigits & ~taken;
}

// What is wrong with placement `p` on the grid just before it, or empty. On
// a grid that repeats a digit the run is lost, and the rules read a unit's
// digits from their sum (see open_digits): only the cell, and that a digit
// placed for its one place was not in the unit, are checked there.
std::string fault(const Placement& p, const DigitGrid& before) {
  const int cell = p.index + 1, bit = digit_mask(p.digit), unit = p.why.unit;
  if (before[p.index] != 0) return "the cell was filled";
  if (p.why.reason != Reason::search && (unit < 1 || unit > 27 || (kCellUnits[cell] >> unit & 1) == 0))
    return "the cell is not in its unit";
  // The single-place rule reads the digits themselves.
  if (p.why.reason == Reason::unit && (digits_in(before, unit) & bit) != 0)
    return "the digit is in the unit already";
  if (repeats(before)) return {};
  int places = 0;
  for (int pos = 1; pos <= 9; ++pos) {
    const int other = kUnitCells[std::max(unit, 1)][pos];
    places += before[other - 1] == 0 && (candidates(before, other) & bit) != 0 ? 1 : 0;
  }
  switch (p.why.reason) {
    case Reason::cell:
      if ((candidates(before, cell) & ~bit) != 0) return "other candidates are left";
      if (digits_in(before, unit) == 0) return "the unit struck nothing";
      return {};
    case Reason::unit:
      if (places > ((candidates(before, cell) & bit) != 0 ? 1 : 0)) return "the digit has other places";
      return {};
    case Reason::guess:
      if ((candidates(before, cell) & bit) == 0) return "the digit is not possible there";
      if (places != p.why.places || places < 2)
        return "not the digit's " + std::to_string(places) + " places";
      return {};
    case Reason::search:
      return (candidates(before, cell) & bit) != 0 ? "" : "the digit is not possible there";
  }
  return "no reason";
}

// Each rule of the table, by kind of unit, occurs among the placements.
TEST(Explanation, EveryReasonHoldsOnTheGridJustBeforeIt) {
  std::map<std::pair<Reason, UnitKind>, int> seen;
  long long placements = 0, on_repeated = 0;
  for (const char* name : {"top95.txt", "top1465.txt", "clues17.txt", "golden_solves.tsv"}) {
    for (const DigitGrid& givens : puzzles_of(name)) {
      const Solved s = solve(givens, false);
      const SolveSteps& steps = s.steps;
      ASSERT_FALSE(steps.runs.empty());
      DigitGrid grid = steps.start;
      for (std::size_t i = 0, run = 0; i < steps.placements.size(); ++i) {
        // A run that starts from the givens again starts from their grid.
        for (; run < steps.runs.size() && steps.runs[run].first == i; ++run) {
          if (steps.runs[run].from_givens) grid = steps.givens;
        }
        const Placement& p = steps.placements[i];
        ASSERT_EQ(fault(p, grid), "") << puzzle_string(givens) << " placement " << i << " attempt "
                                      << attempt_of(steps, i) << " before " << puzzle_string(grid);
        ++seen[{p.why.reason, unit_kind(std::max<int>(p.why.unit, 1))}];
        on_repeated += repeats(grid) ? 1 : 0;
        grid[p.index] = p.digit;
      }
      // The grid rebuilt from the placements is the one the Solve left.
      for (int n = 1; n <= 81; ++n) {
        ASSERT_EQ(grid[n - 1], s.board.cell_value[n - 1] == kEmptyCell ? 0 : s.board.cell_value[n - 1]);
      }
      if (!steps.placements.empty()) {
        ASSERT_EQ(grid_after(steps, steps.placements.size() - 1), grid);
      }
      placements += static_cast<long long>(steps.placements.size());
    }
  }
  for (const Reason reason : {Reason::cell, Reason::unit, Reason::guess}) {
    for (const UnitKind kind : {UnitKind::column, UnitKind::row, UnitKind::box}) {
      EXPECT_GT((seen[{reason, kind}]), 0) << static_cast<int>(reason) << " in a " << unit_kind_word(kind);
    }
  }
  EXPECT_GT((seen[{Reason::search, UnitKind::column}]), 0);
  std::printf("%lld placements, %lld on a grid that repeats a digit\n", placements, on_repeated);
}

// The plain path on the golden outcomes' puzzles (all 200 attempts and
// the search among them) and on top95.
TEST(Explanation, TheRulesAloneMakeTheSamePlacementsForTheSameReasons) {
  for (const char* name : {"golden_solves.tsv", "top1465.txt", "clues17.txt"}) {
    for (const DigitGrid& givens : puzzles_of(name)) {
      const Solved fast = solve(givens, false), plain = solve(givens, true);
      ASSERT_EQ(fast.steps.placements, plain.steps.placements) << puzzle_string(givens);
      ASSERT_EQ(fast.steps.runs, plain.steps.runs) << puzzle_string(givens);
      ASSERT_EQ(fast.board, plain.board) << puzzle_string(givens);
      ASSERT_EQ(fast.view, plain.view) << puzzle_string(givens);
    }
  }
}

}  // namespace
}  // namespace quorlen
