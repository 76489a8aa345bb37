#include "solver/complete_search.h"

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "board/board.h"
#include "board/units.h"
#include "solver/bitboard.h"
#include "solver/matchings.h"

namespace quorlen {
namespace {

using namespace bitboard;

// The number of bits set, without assuming a popcount instruction.
int bit_count(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555);
  x = (x & 0x3333333333333333) + ((x >> 2) & 0x3333333333333333);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0F;
  return static_cast<int>((x * 0x0101010101010101) >> 56);
}

// Of the open cells with two digits left, the one whose digits have the
// most places among its open peers: either choice strikes the most, which
// keeps a search's tree about a third smaller than the first such cell
// does. Only the first kScored such cells are weighed, which costs little
// of that gain. -1 when there is none.
constexpr int kScored = 12;
int busiest_pair(const State& s) {
  std::array<Cells, 9> open_places;
  for (int d = 0; d < 9; ++d) {
    for (int t = 0; t < 3; ++t) open_places[d][t] = s.places[d][t] & s.open[t];
  }
  int best = -1, best_score = -1, scored = 0;
  for (int stack = 0; stack < 3 && scored < kScored; ++stack) {
    const int next = (stack + 1) % 3, after = (stack + 2) % 3;
    std::uint32_t once = 0, twice = 0, more = 0;
    for (const Cells& p : s.places) {
      more |= twice & p[stack];
      twice |= once & p[stack];
      once |= p[stack];
    }
    for (std::uint32_t pairs = twice & ~more & s.open[stack]; pairs != 0 && scored < kScored;
         pairs &= pairs - 1) {
      ++scored;
      const std::uint32_t bit = pairs & (0u - pairs);
      const int cell = 27 * stack + std::countr_zero(bit);
      const Cells& peers = kLayout.peers[cell];
      const int k = std::countr_zero(bit);
      unsigned digits = 0;
      for (int d = 0; d < 9; ++d) digits |= ((s.places[d][stack] >> k) & 1u) << d;
      int score = 0;
      for (; digits != 0; digits &= digits - 1) {
        const Cells& o = open_places[std::countr_zero(digits)];
        // In the other two stacks a cell's peers are its row alone, bits
        // 9c+r: one stack's, moved one bit up, never meet the other's.
        const std::uint32_t others = (o[next] & peers[next]) | (o[after] & peers[after]) << 1;
        score += bit_count((o[stack] & peers[stack]) | std::uint64_t{others} << 27);
      }
      const bool better = score > best_score;
      best = better ? cell : best;
      best_score = better ? score : best_score;
    }
  }
  return best;
}

// How a search branches: on cells with two digits first, which suits
// puzzles with few solutions, or on digits with two places in a box first,
// which suits some of the grids that defeat the other way.
enum class Branching { cells_first, boxes_first };

// The choices of a branch point as (digit, grid index) pairs, all the
// solutions below lying in exactly one of them: a cell with two digits or a
// digit with two places in a box, in the order `branching` says; else the
// first open cell with the fewest digits.
int branch_choices(const State& s, Branching branching, std::array<std::pair<int, int>, 9>& choices) {
  int cell = -1;
  if (branching == Branching::cells_first) cell = busiest_pair(s);
  if (cell < 0) {
    // The first digit with two places in a box.
    for (int d = 0; d < 9; ++d) {
      for (int stack = 0; stack < 3; ++stack) {
        for (int j = 0; j < 3; ++j) {
          const std::uint32_t box = s.places[d][stack] & (kBoxBits << (3 * j));
          const std::uint32_t rest = box & (box - 1);
          if (rest != 0 && (rest & (rest - 1)) == 0) {
            choices[0] = {d, 27 * stack + std::countr_zero(box)};
            choices[1] = {d, 27 * stack + std::countr_zero(rest)};
            return 2;
          }
        }
      }
    }
    // A cell with two digits: busiest_pair has already found none when the
    // cells come first.
    for (int stack = 0; stack < 3 && cell < 0 && branching == Branching::boxes_first; ++stack) {
      std::uint32_t once = 0, twice = 0, more = 0;
      for (const Cells& p : s.places) {
        more |= twice & p[stack];
        twice |= once & p[stack];
        once |= p[stack];
      }
      const std::uint32_t pairs = twice & ~more & s.open[stack];
      if (pairs != 0) cell = 27 * stack + std::countr_zero(pairs);
    }
  }
  if (cell < 0) {
    int fewest = 10;
    for (int stack = 0; stack < 3; ++stack) {
      for (std::uint32_t w = s.open[stack]; w != 0; w &= w - 1) {
        const std::uint32_t bit = w & (0u - w);
        int count = 0;
        for (const Cells& p : s.places) count += (p[stack] & bit) != 0 ? 1 : 0;
        if (count < fewest) {
          cell = 27 * stack + std::countr_zero(bit);
          fewest = count;
        }
      }
    }
  }
  int n = 0;
  for (int d = 0; d < 9; ++d) {
    if ((s.places[d][stack_of(cell)] & bit_of(cell)) != 0) choices[n++] = {d, cell};
  }
  return n;
}

// A first search gives up after kPatience guesses; the ones after it
// narrow by matchings (solver/matchings.h) down to kMatchingDepth guesses.
constexpr long long kPatience = 256;  // guesses of the first search
constexpr int kMatchingDepth = 16;

// One search: how it branches, how many solutions it looks for (one or
// two), and whether it takes the choices of each branch point in an order
// drawn from a generator.
struct Search {
  Branching branching = Branching::cells_first;
  bool matchings = false;  // narrow by matchings near the top
  long long budget = 0;    // guesses before it gives up
  int wanted = 2;
  std::mt19937_64* random = nullptr;
  SearchStats& stats;
  long long guesses = 0;
  bool gave_up = false;
  int found = 0;
  DigitGrid first{};
};

// Adds the solutions below `s` (narrowed) to the search's, up to the number
// wanted; the first is kept. The last choice reuses `s`.
void search_below(State& s, Search& search, int depth) {
  if (solved(s)) {
    if (search.found++ == 0) search.first = grid_of(s);
    return;
  }
  if (search.guesses >= search.budget) {
    search.gave_up = true;
    return;
  }
  if (search.matchings && depth <= kMatchingDepth) {
    if (!narrow_by_matchings(s)) return;
    if (solved(s)) {
      if (search.found++ == 0) search.first = grid_of(s);
      return;
    }
  }
  std::array<std::pair<int, int>, 9> choices;
  const int n = branch_choices(s, search.branching, choices);
  if (search.random != nullptr) {
    // The raw output only, so that every machine draws alike.
    std::mt19937_64& random = *search.random;
    for (int k = n - 1; k > 0; --k) std::swap(choices[k], choices[random() % static_cast<unsigned>(k + 1)]);
  }
  for (int k = 0; k < n && search.found < search.wanted && !search.gave_up; ++k) {
    ++search.guesses;
    ++search.stats.guesses;
    const auto [digit, cell] = choices[k];
    if (k + 1 == n) {
      if (place(s, digit, cell) && propagate(s)) search_below(s, search, depth + 1);
      return;
    }
    State branch = s;
    if (place(branch, digit, cell) && propagate(branch)) search_below(branch, search, depth + 1);
  }
}

// Up to `wanted` solutions of narrowed `s`, the first to `first`. A quick
// search first; one that runs out of guesses starts again from the top with
// twice the guesses, narrowing by matchings, and branching on boxes first
// every other time, until one finishes. A grid that defeats one way of
// branching seldom defeats the other, and the doubling keeps the work lost
// to the searches given up below about twice that of the one that finishes.
int search_from(const State& s, int wanted, std::mt19937_64* random, DigitGrid& first, SearchStats& stats) {
  long long budget = kPatience;
  for (int round = 0;; ++round, budget *= 2) {
    const Branching branching = round % 2 == 0 && round > 0 ? Branching::boxes_first : Branching::cells_first;
    Search search{branching, round > 0, budget, wanted, random, stats};
    State work = s;
    search_below(work, search, 0);
    if (!search.gave_up) {
      if (search.found > 0) first = search.first;
      return search.found;
    }
  }
}

int count_from(const State& s, DigitGrid& first, SearchStats& stats) {
  return search_from(s, 2, nullptr, first, stats);
}

// --- The plain search's order ----------------------------------------------
//
// Which solution of a grid with several the Solve command shows is defined
// by a plain depth-first search: candidates only from the digits in a
// cell's row, column and box, branching on the first empty cell (by grid
// index) with the fewest, a cell with none or one at once, digits
// ascending. Walking that search's tree blindly can take seconds; here each
// branch is first counted by the narrowing search. A digit whose grid has
// no solution is skipped; one with exactly one holds the plain search's
// first solution; one with two or more holds it too (the plain search is
// complete, so it finds nothing in the digits before) and is descended.

// Digits (bits 1..9) used in each unit, by unit number minus one.
struct PlainState {
  DigitGrid cells{};
  std::array<std::uint16_t, 27> used{};
};

std::uint16_t plain_candidates(const PlainState& p, int index) {
  const auto& units = kCellUnitIndexes[index + 1];
  return static_cast<std::uint16_t>(kAllDigits & ~(p.used[units[0]] | p.used[units[1]] | p.used[units[2]]));
}

void plain_set(PlainState& p, int index, int digit) {
  p.cells[index] = static_cast<std::uint8_t>(digit);
  for (const int u : kCellUnitIndexes[index + 1])
    p.used[u] = static_cast<std::uint16_t>(p.used[u] | (1u << digit));
}

// The plain search's branch cell and its candidates; -1 when the grid is
// full.
int plain_branch_cell(const PlainState& p, std::uint16_t& mask) {
  int best = -1;
  int best_count = 10;
  for (int i = 0; i < 81; ++i) {
    if (p.cells[i] != 0) continue;
    const std::uint16_t m = plain_candidates(p, i);
    const int count = bit_count(m);
    if (count < best_count) {
      best = i;
      best_count = count;
      mask = m;
      if (count <= 1) break;
    }
  }
  return best;
}

}  // namespace

int count_solutions(const DigitGrid& grid, DigitGrid* solution, SearchStats* stats) {
  SearchStats own;
  State s;
  DigitGrid first{};
  const int found = start(grid, s) ? count_from(s, first, stats != nullptr ? *stats : own) : 0;
  if (found > 0 && solution != nullptr) *solution = first;
  return found;
}

bool find_solution(const DigitGrid& grid, DigitGrid& solution, SearchStats* stats) {
  SearchStats own;
  SearchStats& work = stats != nullptr ? *stats : own;
  State narrowed;
  if (!start(grid, narrowed)) return false;
  ++work.counts;
  DigitGrid first{};
  const int found = count_from(narrowed, first, work);
  if (found < 2) {
    if (found == 1) solution = first;
    return found == 1;
  }
  PlainState plain;
  for (int i = 0; i < 81; ++i) {
    if (grid[i] != 0) plain_set(plain, i, grid[i]);
  }
  // Invariant: the grid of `plain` has two or more solutions, and
  // `narrowed` is that grid narrowed.
  for (;;) {
    std::uint16_t mask = 0;
    const int cell = plain_branch_cell(plain, mask);
    if (cell < 0) return false;  // a full grid has one solution: not reached
    bool descended = false;
    for (; mask != 0 && !descended; mask = static_cast<std::uint16_t>(mask & (mask - 1))) {
      const int digit = std::countr_zero(mask);
      State branch = narrowed;
      if (!place(branch, digit - 1, cell) || !propagate(branch)) continue;
      // The last digit left holds every solution: no need to count them.
      int count = 2;
      if ((mask & (mask - 1)) != 0) {
        ++work.counts;
        count = count_from(branch, first, work);
      }
      if (count == 1) {
        solution = first;
        return true;
      }
      if (count == 2) {
        narrowed = branch;
        plain_set(plain, cell, digit);
        descended = true;
      }
    }
    if (!descended) return false;  // no digit holds a solution: not reached
  }
}

bool random_solution(const DigitGrid& grid, std::mt19937_64& random, DigitGrid& solution) {
  State s;
  SearchStats unused;
  return start(grid, s) && search_from(s, 1, &random, solution, unused) == 1;
}

}  // namespace quorlen
