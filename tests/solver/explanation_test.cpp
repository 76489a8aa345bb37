// Every placement of the Solve command carries a reason that holds on the
// grid just before it, and the rules alone (the plain path) make the same
// placements for the same reasons, runs, counts and flags.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

#include "board/units.h"
#include "solver/attempts.h"

namespace quorlen {
namespace {

struct Solved {
  Board board;
  SolveSteps steps;
};

// The puzzles of a collection, or the puzzle field of golden_solves.tsv.
// Every `stride`th of them.
std::vector<DigitGrid> puzzles_of(std::string_view name, std::size_t stride = 1) {
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + std::string(name));
  std::vector<DigitGrid> puzzles;
  std::size_t seen = 0;
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = name.ends_with(".tsv") ? line.find('\t', line.find('\t') + 1) + 1 : 0;
    if (line.empty() || line[0] == '#' || ++seen % stride != 0) continue;
    puzzles.push_back(parse_puzzle(line.substr(at, 81)).value());
  }
  EXPECT_FALSE(puzzles.empty()) << name;
  return puzzles;
}

Solved solve(const DigitGrid& givens, bool plain) {
  Solved s{posed_board(givens), {}};
  (plain ? run_attempts_plain : run_attempts)(s.board, &s.steps);
  return s;
}

// A grid, each unit's digits and whether one repeats, kept as digits go in.
struct Grid {
  explicit Grid(const DigitGrid& from) {
    for (std::uint8_t i = 0; i < 81; ++i) place(i, from[i]);
  }
  void place(std::uint8_t index, int digit) {
    digits[index] = static_cast<std::uint8_t>(digit);
    for (const int unit : kCellUnitIndexes[index + 1]) {
      repeats |= (in_unit[unit + 1] & digit_mask(digit) & kAllDigits) != 0;
      in_unit[unit + 1] |= digit_mask(digit) & kAllDigits;
    }
  }
  // The digits a cell (1..81) can still take.
  int candidates(int cell) const {
    const auto& units = kCellUnitIndexes[cell];
    return kAllDigits & ~(in_unit[units[0] + 1] | in_unit[units[1] + 1] | in_unit[units[2] + 1]);
  }
  DigitGrid digits{};
  std::array<int, 28> in_unit{};  // units 1..27
  bool repeats = false;
};

// What is wrong with placement `p` on the grid just before it, or empty. On
// a grid that repeats a digit the run is lost, and the rules read a unit's
// digits from their sum (see open_digits): only the cell, and that a digit
// placed for its one place was not in the unit, are checked there.
std::string fault(const Placement& p, const Grid& before) {
  const int cell = p.index + 1, bit = digit_mask(p.digit), unit = p.why.unit;
  const bool possible = (before.candidates(cell) & bit) != 0;
  if (before.digits[p.index] != 0 ||
      (p.why.reason != Reason::search && (kCellUnits[cell] >> (unit & 31) & 1) == 0))
    return "a filled cell, or not in its unit";
  if (p.why.reason == Reason::unit && (before.in_unit[unit] & bit) != 0) return "the digit is in the unit";
  if (before.repeats) return {};
  int places = 0;
  for (int pos = 1; pos <= 9; ++pos) {
    const int other = kUnitCells[std::max(unit, 1)][pos];
    places += before.digits[other - 1] == 0 && (before.candidates(other) & bit) != 0 ? 1 : 0;
  }
  switch (p.why.reason) {
    case Reason::cell:
      if ((before.candidates(cell) & ~bit) != 0) return "other candidates are left";
      return before.in_unit[unit] != 0 ? "" : "the unit struck nothing";
    case Reason::unit:
      return places <= (possible ? 1 : 0) ? "" : "the digit has other places";
    case Reason::guess:
      if (places != p.why.places || places < 2)
        return "not the digit's " + std::to_string(places) + " places";
      [[fallthrough]];
    case Reason::search:
      break;
  }
  return possible ? "" : "the digit is not possible there";
}

// The builds without optimisation (the sanitizers', coverage) are many
// times slower: they leave top1465 to the others, and their plain path takes
// every 3rd of the golden outcomes' puzzles alone. Those puzzles hold every
// 10th of top1465.
#ifdef __OPTIMIZE__
constexpr const char* kCollections[] = {"top95.txt", "top1465.txt", "clues17.txt", "golden_solves.tsv"};
constexpr const char* kPlainCollections[] = {"golden_solves.tsv", "top1465.txt", "clues17.txt"};
constexpr std::size_t kPlainStride = 1;
#else
constexpr const char* kCollections[] = {"top95.txt", "clues17.txt", "golden_solves.tsv"};
constexpr const char* kPlainCollections[] = {"golden_solves.tsv"};
constexpr std::size_t kPlainStride = 3;
#endif

// Each rule, in each kind of unit, occurs among the placements.
TEST(Explanation, EveryReasonHoldsOnTheGridJustBeforeIt) {
  int seen[4][3] = {};  // by reason and kind of unit
  for (const char* name : kCollections) {
    for (const DigitGrid& givens : puzzles_of(name)) {
      const Solved s = solve(givens, false);
      const SolveSteps& steps = s.steps;
      Grid grid(steps.start);
      for (std::size_t i = 0, run = 0; i < steps.placements.size(); ++i) {
        for (; run < steps.runs.size() && steps.runs[run].first == i; ++run)
          grid = steps.runs[run].from_givens ? Grid(steps.givens) : grid;
        const Placement& p = steps.placements[i];
        ASSERT_EQ(fault(p, grid), "") << puzzle_string(givens) << " placement " << i << " attempt "
                                      << attempt_of(steps, i) << " before " << puzzle_string(grid.digits);
        ++seen[static_cast<int>(p.why.reason)][static_cast<int>(unit_kind(std::max<int>(p.why.unit, 1)))];
        grid.place(p.index, p.digit);
      }
      // The grid rebuilt from the placements is the one the Solve left.
      for (int n = 1; n <= 81; ++n) ASSERT_EQ(stored_digit(grid.digits[n - 1]), s.board.cell_value[n - 1]);
      ASSERT_TRUE(steps.placements.empty() || grid_after(steps, steps.placements.size() - 1) == grid.digits);
    }
  }
  for (int i = 0; i < 10; ++i)
    EXPECT_GT(seen[i / 3][i % 3], 0) << "reason " << i / 3 << ", unit kind " << i % 3;
}

// The golden outcomes' puzzles (all 200 attempts and the search among
// them), top1465 and clues17.
TEST(Explanation, TheRulesAloneMakeTheSamePlacementsForTheSameReasons) {
  for (const char* name : kPlainCollections) {
    for (const DigitGrid& givens : puzzles_of(name, kPlainStride)) {
      const Solved fast = solve(givens, false), plain = solve(givens, true);
      ASSERT_EQ(fast.steps.placements, plain.steps.placements) << puzzle_string(givens);
      ASSERT_EQ(fast.steps.runs, plain.steps.runs) << puzzle_string(givens);
      ASSERT_EQ(fast.board, plain.board) << puzzle_string(givens);
      ASSERT_EQ(fast.steps.result.placed, plain.steps.result.placed) << puzzle_string(givens);
    }
  }
}

}  // namespace
}  // namespace quorlen
