// Unique rectangles and loops. Cells holding the same two digits a and b,
// closed into a loop where every house it touches holds two of its cells
// (one at an odd place along the loop, one at an even), would let a and b
// swap: a puzzle with one solution cannot come to that. So the cells with
// digits besides a and b (the extra cells) cannot all lose them:
//   type 1  one extra cell: it is not a or b;
//   type 2  the extras are one digit z: z is in one of the extra cells, and
//           what sees them all loses it;
//   type 3  two extra cells with several extras, sharing a house: between
//           them they hold one extra, which makes a naked set with other
//           cells of the house; or one of a and b lies outside them, which
//           makes a hidden set;
//   type 4  two extra cells sharing a house where a (or b) has no other
//           place: one of them is a, so neither can be b.
//
// The loops are walked from each cell holding exactly a and b, from cell
// to cell through a house each time. Of every step found, the lowest rated
// is taken, then the lowest type; among equals the first found.
#include <algorithm>
#include <array>
#include <bit>

#include "logic/combinations.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

constexpr int kMaxLoop = 18;  // two cells in each row at most

struct Loop {
  std::array<int, kMaxLoop> cells{};
  int length = 0;
  unsigned pair = 0;  // a and b
  int a = 1;
  int b = 2;
  CellSet set;
};

// A step found, kept until a better one turns up.
struct Found {
  int rating = 0;
  int type = 0;
  Loop loop;
  CellSet extra_cells;
  int house = -1;     // types 3 and 4
  CellSet set_cells;  // type 3: the set's other cells
  unsigned set_digits = 0;
  bool hidden = false;                // type 3: a hidden set
  std::array<unsigned, 81> struck{};  // digits struck, by cell
};

int base_rating(int length) {
  switch (length) {
    case 4:
      return 45;
    case 6:
      return 46;
    case 8:
      return 47;
    default:
      return 50;
  }
}

struct Walk {
  const Grid& grid;
  Loop loop;
  std::array<std::uint8_t, 27> in_house{};  // loop cells per house
  std::array<std::uint8_t, 27> parity{};    // bit p: a loop cell at a place of parity p
  CellSet pool;                             // cells holding a and b
  CellSet extra_cells;
  int extra_count = 0;
  unsigned extras = 0;
  std::array<CellSet, 64> seen{};
  int seen_count = 0;
  Found& best;
  bool found = false;
  Found candidate;

  Walk(const Grid& g, Found& b) : grid(g), best(b) {}

  void from(int start) {
    loop.pair = grid.candidates(start);
    loop.a = std::countr_zero(loop.pair);
    loop.b = std::countr_zero(loop.pair & (loop.pair - 1));
    loop.length = 0;
    loop.set = CellSet();
    pool = grid.positions(loop.a) & grid.positions(loop.b);
    extra_cells = CellSet();
    extra_count = 0;
    extras = 0;
    in_house.fill(0);
    parity.fill(0);
    push(start);
    step(start, -1);
    pop(start);
  }

  bool fits(int cell) const {
    const int p = loop.length & 1;
    for (const HousePlace at : kCellPlaces[cell]) {
      if (in_house[at.house] >= 2 || (parity[at.house] >> p & 1) != 0) return false;
    }
    return true;
  }

  void push(int cell) {
    for (const HousePlace at : kCellPlaces[cell]) {
      ++in_house[at.house];
      parity[at.house] |= static_cast<std::uint8_t>(1u << (loop.length & 1));
    }
    loop.cells[loop.length++] = cell;
    loop.set.add(cell);
  }

  void pop(int cell) {
    --loop.length;
    loop.set.remove(cell);
    for (const HousePlace at : kCellPlaces[cell]) {
      --in_house[at.house];
      parity[at.house] &= static_cast<std::uint8_t>(~(1u << (loop.length & 1)));
    }
  }

  // From `cell`, through a house of another kind than the last move's, to
  // the cells of that house in their order.
  void step(int cell, int last_kind) {
    for (int kind = 0; kind < 3; ++kind) {
      if (kind == last_kind) continue;
      const int house = kCellPlaces[cell][kind].house;
      for (const int next : pool& kHouseSet[house]) {
        if (next == loop.cells[0] && loop.length >= 4) {
          close();
          continue;
        }
        // A loop through an earlier cell of exactly a and b was walked from
        // there already.
        if (next < loop.cells[0] && grid.candidates(next) == loop.pair) continue;
        if (loop.set.has(next) || loop.length == kMaxLoop || !fits(next)) continue;
        const unsigned extra = grid.candidates(next) & ~loop.pair;
        const CellSet saved_cells = extra_cells;
        const unsigned saved_extras = extras;
        const int saved_count = extra_count;
        if (extra != 0) {
          extra_cells.add(next);
          extras |= extra;
          ++extra_count;
          if (extra_count > 2 && bit_count(extras) != 1) {
            extra_cells = saved_cells;
            extras = saved_extras;
            extra_count = saved_count;
            continue;
          }
        }
        push(next);
        step(next, kind);
        pop(next);
        extra_cells = saved_cells;
        extras = saved_extras;
        extra_count = saved_count;
      }
    }
  }

  void close() {
    for (int i = 0; i < loop.length; ++i) {
      for (const int house : cell_houses(loop.cells[i])) {
        if (in_house[house] != 2) return;
      }
    }
    if (extra_cells.empty()) return;
    for (int i = 0; i < seen_count; ++i) {
      if (seen[i] == loop.set) return;
    }
    if (seen_count < static_cast<int>(seen.size())) seen[seen_count++] = loop.set;
    judge();
  }

  void offer() {
    if (!found || candidate.rating < best.rating ||
        (candidate.rating == best.rating && candidate.type < best.type)) {
      best = candidate;
      found = true;
    }
  }

  void start_candidate(int type, int rating) {
    candidate.rating = rating;
    candidate.type = type;
    candidate.loop = loop;
    candidate.extra_cells = extra_cells;
    candidate.house = -1;
    candidate.set_cells = CellSet();
    candidate.set_digits = 0;
    candidate.hidden = false;
    candidate.struck.fill(0);
  }

  void judge() {
    const int base = base_rating(loop.length);
    if (extra_cells.size() == 1) {
      start_candidate(1, base);
      candidate.struck[static_cast<std::size_t>(extra_cells.first())] = loop.pair;
      offer();
      return;
    }
    if (bit_count(extras) == 1) {
      const CellSet struck = common_peers(extra_cells) & grid.positions(std::countr_zero(extras));
      if (!struck.empty()) {
        start_candidate(2, base);
        for (const int cell : struck) candidate.struck[static_cast<std::size_t>(cell)] = extras;
        offer();
      }
    }
    if (extra_cells.size() != 2) return;
    if (bit_count(extras) >= 2) {
      naked_type3(base);
      hidden_type3(base);
    }
    type4(base);
  }

  // The houses both extra cells lie in, in the order houses are taken.
  int shared_houses(std::array<int, 3>& out) const {
    int n = 0;
    for (const int house : kScanOrder) {
      if (kHouseSet[house].contains(extra_cells)) out[static_cast<std::size_t>(n++)] = house;
    }
    return n;
  }

  void naked_type3(int base) {
    std::array<int, 3> houses{};
    const int n = shared_houses(houses);
    for (int size = 2; size <= 7; ++size) {
      for (int h = 0; h < n; ++h) {
        const int house = houses[static_cast<std::size_t>(h)];
        const CellSet empty = grid.empty_cells() & kHouseSet[house];
        if (empty.size() < 2 * size) continue;
        const unsigned others = places_in_house(house, empty.minus(extra_cells));
        const bool hit = for_each_combination(others, size - 1, [&](unsigned places) {
          unsigned digits = extras;
          for (unsigned rest = places; rest != 0; rest &= rest - 1) {
            digits |= grid.candidates(house_cell(house, std::countr_zero(rest)));
          }
          if (bit_count(digits) != size) return false;
          const CellSet set_cells = cells_at_places(house, places);
          const CellSet rest_cells = empty.minus(extra_cells | set_cells);
          bool strikes = false;
          for (const int cell : rest_cells) strikes |= (grid.candidates(cell) & digits) != 0;
          if (!strikes) return false;
          start_candidate(3, base + size - 1);
          candidate.house = house;
          candidate.set_cells = set_cells;
          candidate.set_digits = digits;
          for (const int cell : rest_cells)
            candidate.struck[static_cast<std::size_t>(cell)] = grid.candidates(cell) & digits;
          offer();
          return true;
        });
        if (hit) return;
      }
    }
  }

  void hidden_type3(int base) {
    std::array<int, 3> houses{};
    const int n = shared_houses(houses);
    unsigned extra_held = 0;
    for (const int cell : extra_cells) extra_held |= grid.candidates(cell);
    for (int size = 2; size <= 7; ++size) {
      for (int h = 0; h < n; ++h) {
        const int house = houses[static_cast<std::size_t>(h)];
        const CellSet empty = grid.empty_cells() & kHouseSet[house];
        if (empty.size() <= 2 * size) continue;
        const unsigned outside = ~places_in_house(house, extra_cells) & 0x1FF;
        unsigned others = 0;
        for (int digit = 1; digit <= 9; ++digit) {
          if ((extra_held & digit_bit(digit)) == 0 && bit_count(grid.places(house, digit)) >= 2) {
            others |= digit_bit(digit);
          }
        }
        const bool hit = for_each_combination(others, size - 2, [&](unsigned chosen) {
          const unsigned digits = chosen | loop.pair;
          unsigned places = 0;
          for (unsigned rest = digits; rest != 0; rest &= rest - 1) {
            places |= grid.places(house, std::countr_zero(rest)) & outside;
          }
          if (bit_count(places) != size - 1) return false;
          const CellSet set_cells = cells_at_places(house, places);
          bool strikes = false;
          for (const int cell : set_cells) strikes |= (grid.candidates(cell) & ~digits) != 0;
          if (!strikes) return false;
          start_candidate(3, base + size - 2);
          candidate.house = house;
          candidate.set_cells = set_cells;
          candidate.set_digits = digits;
          candidate.hidden = true;
          for (const int cell : set_cells)
            candidate.struck[static_cast<std::size_t>(cell)] = grid.candidates(cell) & ~digits;
          offer();
          return true;
        });
        if (hit) return;
      }
    }
  }

  void type4(int base) {
    std::array<int, 3> houses{};
    const int n = shared_houses(houses);
    for (int h = 0; h < n; ++h) {
      const int house = houses[static_cast<std::size_t>(h)];
      const unsigned both = places_in_house(house, extra_cells);
      for (const int digit : {loop.a, loop.b}) {
        if (grid.places(house, digit) != both) continue;
        const unsigned other = loop.pair & ~digit_bit(digit);
        start_candidate(4, base);
        candidate.house = house;
        for (const int cell : extra_cells) candidate.struck[static_cast<std::size_t>(cell)] = other;
        offer();
        return;
      }
    }
  }
};

}  // namespace

bool find_unique_loop(const Grid& grid, Step& step, Workspace&) {
  Found best;
  Walk walk(grid, best);
  for (const int cell : grid.empty_cells()) {
    if (bit_count(unsigned{grid.candidates(cell)}) == 2) walk.from(cell);
  }
  if (!walk.found) return false;

  const Loop& loop = best.loop;
  begin_step(step, loop.length == 4 ? Technique::unique_rectangle : Technique::unique_loop, best.rating);
  step.kind = static_cast<std::uint8_t>(best.type);
  step.size = static_cast<std::uint8_t>(loop.length);
  for (int cell = 0; cell < 81; ++cell) {
    add_candidates(step.eliminations, grid, CellSet::of(cell), best.struck[static_cast<std::size_t>(cell)]);
  }
  add_candidates(step.pattern, grid, loop.set, loop.pair);
  unsigned digits = loop.pair;
  if (best.type == 2 || best.type == 3) {
    unsigned extras = 0;
    for (const int cell : best.extra_cells) extras |= grid.candidates(cell) & ~loop.pair;
    add_candidates(step.pattern, grid, best.extra_cells, extras);
    digits |= extras;
  }
  if (best.type == 3) {
    add_candidates(step.pattern, grid, best.set_cells, best.set_digits);
    digits |= best.set_digits;
    step.size = static_cast<std::uint8_t>(loop.length);
  }
  if (best.house >= 0) add_houses(step, {best.house});
  set_digits(step, digits);
  finish_step(step);
  return true;
}

}  // namespace quorlen::logic
