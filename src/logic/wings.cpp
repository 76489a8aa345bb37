// Wings: a cell (the pivot, or a bivalue cell Y) and cells it sees that
// together force a digit z into one of several cells; what sees them all
// loses z.
//
// XY-Wing: pivot {x,y} sees wings {x,z} and {y,z}. XYZ-Wing: pivot {x,y,z}
// with the same wings; the pivot may be z too, so it must be seen as well.
//
// The set wings (WXYZ to TUVWXYZ) join a bivalue cell Y = {x,z} to n cells
// of one house that hold n + 1 digits between them (an almost locked set),
// Y's two digits among them. When every set cell holding x sees Y, x is in
// Y or in the set; either way z is in Y or in the set's cells holding it,
// so what sees all of those loses z. When that holds for z as well, the
// set is locked once Y takes one of the two: x goes too, and every other
// digit of the set from what sees all the set's cells holding it. (The
// rating's order asks the wings of five and six set cells for nothing:
// see rating.cpp.)
#include <algorithm>
#include <array>
#include <bit>

#include "logic/combinations.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

int candidate_count(const Grid& grid, int cell) { return bit_count(unsigned{grid.candidates(cell)}); }

// The cells of a set that hold a digit.
CellSet holding(const Grid& grid, CellSet cells, int digit) { return cells & grid.positions(digit); }

struct SetWing {
  CellSet set;
  int house = 0;
  unsigned digits = 0;
  int y = 0;
  int x = 0;
  int z = 0;
  bool double_link = false;
  CellSet struck_cells[10];  // by digit
  int struck_count = 0;
  int rating = 0;
};

int set_wing_rating(int cells, int biggest) {
  const int off = biggest > 3 ? biggest - 3 : 3 - biggest;
  switch (cells) {
    case 3:
      return 55 + (1 - off);
    case 4:
      return 62 + (2 - off);
    case 5:
      return 66;
    default:
      return 75;
  }
}

constexpr Technique kSetWing[7] = {Technique::wxyz_wing,   Technique::wxyz_wing,  Technique::wxyz_wing,
                                   Technique::wxyz_wing,   Technique::vwxyz_wing, Technique::uvwxyz_wing,
                                   Technique::tuvwxyz_wing};

}  // namespace

bool find_xy_wing(const Grid& grid, Step& step, Workspace&, bool xyz) {
  const int pivot_size = xyz ? 3 : 2;
  CellSet bivalue;
  for (const int cell : grid.empty_cells()) {
    if (candidate_count(grid, cell) == 2) bivalue.add(cell);
  }
  for (const int pivot : grid.empty_cells()) {
    const unsigned p = grid.candidates(pivot);
    if (bit_count(p) != pivot_size) continue;
    const CellSet wings = kPeers[pivot] & bivalue;
    for (const int a : wings) {
      const unsigned ca = grid.candidates(a);
      for (const int b : wings) {
        if (b <= a) continue;
        const unsigned cb = grid.candidates(b);
        if (ca == cb) continue;
        unsigned z = 0;
        if (xyz) {
          // Both wings inside the pivot, sharing z.
          if ((ca & ~p) != 0 || (cb & ~p) != 0) continue;
          z = ca & cb;
        } else {
          // Each wing shares one pivot digit, a different one, and both
          // the digit z outside the pivot.
          if (bit_count(ca & p) != 1 || bit_count(cb & p) != 1 || (ca & cb & p) != 0) continue;
          z = ca & cb & ~p;
        }
        if (bit_count(z) != 1) continue;
        const int digit = std::countr_zero(z);
        CellSet seen = kPeers[a] & kPeers[b];
        if (xyz) seen &= kPeers[pivot];
        const CellSet struck = (seen & grid.positions(digit)).minus(CellSet::of(pivot));
        if (struck.empty()) continue;
        begin_step(step, xyz ? Technique::xyz_wing : Technique::xy_wing, xyz ? 44 : 42).size = 3;
        add_candidates(step.eliminations, grid, struck, z);
        const CellSet cells = CellSet::of(pivot) | CellSet::of(a) | CellSet::of(b);
        add_candidates(step.pattern, grid, cells, p | ca | cb);
        set_digits(step, p | ca | cb);
        finish_step(step);
        return true;
      }
    }
  }
  return false;
}

bool find_set_wing(const Grid& grid, Step& step, Workspace&, int cells) {
  CellSet bivalue;
  for (const int cell : grid.empty_cells()) {
    if (candidate_count(grid, cell) == 2) bivalue.add(cell);
  }
  if (bivalue.empty()) return false;
  SetWing best;
  bool found = false;
  SetWing wing;
  for (const int house : kScanOrder) {
    unsigned pool = 0;
    std::array<unsigned, 9> held{};
    std::array<int, 9> count{};
    for (int i = 0; i < 9; ++i) {
      held[i] = grid.candidates(kHouseCells[house][i]);
      count[i] = bit_count(held[i]);
      if (count[i] >= 2 && count[i] <= cells + 1) pool |= 1u << i;
    }
    for_each_combination(pool, cells, [&](unsigned places) {
      unsigned digits = 0;
      int biggest = 0;
      for (unsigned rest = places; rest != 0; rest &= rest - 1) {
        const int i = std::countr_zero(rest);
        digits |= held[i];
        biggest = std::max(biggest, count[i]);
      }
      if (bit_count(digits) != cells + 1) return false;
      const CellSet set = cells_at_places(house, places);
      const int rating = set_wing_rating(cells, biggest);
      if (found && rating > best.rating) return false;
      // Y sees the set's cells that hold x, so at least one set cell.
      CellSet near;
      for (const int cell : set) near |= kPeers[cell];
      for (const int y : (bivalue & near).minus(set)) {
        const unsigned cy = grid.candidates(y);
        if ((cy & ~digits) != 0) continue;
        const int low = std::countr_zero(cy), high = 31 - std::countl_zero(cy);
        // Which of Y's digits the set's cells that hold it all see Y.
        const bool low_linked = kPeers[y].contains(holding(grid, set, low));
        const bool high_linked = kPeers[y].contains(holding(grid, set, high));
        for (const int x : {low, high}) {
          const int z = x == low ? high : low;
          if (!(x == low ? low_linked : high_linked)) continue;
          // The scale counts a doubly linked wing only up to four set cells;
          // one of five or six is two wings, one for each x.
          const bool double_link = low_linked && high_linked;
          if (double_link && x == high) break;  // the same step as with x low
          wing = SetWing{};
          wing.set = set;
          wing.house = house;
          wing.digits = digits;
          wing.y = y;
          wing.x = x;
          wing.z = z;
          wing.double_link = double_link;
          wing.rating = rating;
          wing.struck_cells[z] = common_peers(holding(grid, set, z) | CellSet::of(y)) & grid.positions(z);
          if (double_link) {
            wing.struck_cells[x] = common_peers(holding(grid, set, x) | CellSet::of(y)) & grid.positions(x);
            for (unsigned rest = digits & ~cy; rest != 0; rest &= rest - 1) {
              const int digit = std::countr_zero(rest);
              wing.struck_cells[digit] = common_peers(holding(grid, set, digit)) & grid.positions(digit);
            }
          }
          for (unsigned rest = double_link ? digits : digit_bit(z); rest != 0; rest &= rest - 1) {
            CellSet& struck = wing.struck_cells[std::countr_zero(rest)];
            struck = struck.minus(set | CellSet::of(y));
            wing.struck_count += struck.size();
          }
          if (wing.struck_count == 0) continue;
          if (!found || wing.rating < best.rating ||
              (wing.rating == best.rating && wing.struck_count > best.struck_count)) {
            best = wing;
            found = true;
          }
        }
      }
      return false;
    });
  }
  if (!found) return false;
  begin_step(step, kSetWing[cells], best.rating).size = static_cast<std::uint8_t>(cells + 1);
  step.kind = best.double_link ? 2 : 1;
  for (int digit = 1; digit <= 9; ++digit) {
    add_candidates(step.eliminations, grid, best.struck_cells[digit], digit_bit(digit));
  }
  add_candidates(step.pattern, grid, best.set | CellSet::of(best.y), best.digits);
  add_houses(step, {best.house});
  set_digits(step, best.digits);
  finish_step(step);
  return true;
}

}  // namespace quorlen::logic
