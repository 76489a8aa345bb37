// Pointing and claiming: a digit confined, in one house, to the cells it
// shares with a crossing house is struck from the rest of that house.
//
// Boxes meet lines in segments of three cells. Inside a box the places run
// row by row, so box row r is places 3r..3r+2 and box column c places c,
// c+3, c+6; inside a line the places run along it, so segment s is places
// 3s..3s+2.
#include <bit>

#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

constexpr unsigned kBoxRow[3] = {0x007, 0x038, 0x1C0};
constexpr unsigned kBoxColumn[3] = {0x049, 0x092, 0x124};
constexpr unsigned kSegment[3] = {0x007, 0x038, 0x1C0};

// One intersection: `digit` lies in `from` only where it meets `to`.
struct Lock {
  int digit;
  int from;
  int to;
};

// Every intersection in the order they are taken: boxes into columns,
// boxes into rows, columns into boxes, rows into boxes; within each, by
// digit, then by the first house, then by the second. `visit` returns true
// to stop.
template <typename Visit>
bool for_each_lock(const Grid& grid, Visit visit) {
  for (int order = 0; order < 4; ++order) {
    for (int digit = 1; digit <= 9; ++digit) {
      for (int k = 0; k < 9; ++k) {
        const int from = order < 2 ? box_house(k) : order == 2 ? column_house(k) : row_house(k);
        const unsigned places = grid.places(from, digit);
        if (bit_count(places) < 2) continue;
        for (int part = 0; part < 3; ++part) {
          int to = 0;
          switch (order) {
            case 0:
              if ((places & ~kBoxColumn[part]) != 0) continue;
              to = column_house(k % 3 * 3 + part);
              break;
            case 1:
              if ((places & ~kBoxRow[part]) != 0) continue;
              to = row_house(k / 3 * 3 + part);
              break;
            case 2:
              if ((places & ~kSegment[part]) != 0) continue;
              to = box_house(part * 3 + k / 3);
              break;
            default:
              if ((places & ~kSegment[part]) != 0) continue;
              to = box_house(k / 3 * 3 + part);
              break;
          }
          if (visit(Lock{digit, from, to})) return true;
        }
      }
    }
  }
  return false;
}

// The houses parallel to the lock's first house that cross its second:
// the other boxes along a line, or the other lines through a box.
void parallel_houses(const Lock& lock, int out[2]) {
  int n = 0;
  if (house_kind(lock.from) == HouseKind::box) {
    const int box = lock.from;
    for (int k = 0; k < 3; ++k) {
      const int other = house_kind(lock.to) == HouseKind::column ? k * 3 + box % 3 : box / 3 * 3 + k;
      if (other != box) out[n++] = other;
    }
  } else {
    const int line = lock.from % 9;
    const int box = lock.to;
    for (int k = 0; k < 3; ++k) {
      const int other = house_kind(lock.from) == HouseKind::column ? box % 3 * 3 + k : box / 3 * 3 + k;
      if (other != line) out[n++] = lock.from - line + other;
    }
  }
}

void fill_lock(Step& step, const Grid& grid, const Lock& lock) {
  add_candidates(step.pattern, grid, kHouseSet[lock.from] & grid.positions(lock.digit),
                 digit_bit(lock.digit));
  add_houses(step, {lock.from, lock.to});
  set_digits(step, digit_bit(lock.digit));
}

}  // namespace

bool find_direct_intersection(const Grid& grid, Step& step, Workspace&) {
  // Striking the digit from the rest of the second house leaves it one
  // place in a house parallel to the first: that single is the step.
  return for_each_lock(grid, [&](const Lock& lock) {
    int parallel[2];
    parallel_houses(lock, parallel);
    const CellSet struck = kHouseSet[lock.to].minus(kHouseSet[lock.from]);
    for (const int house : parallel) {
      const CellSet places = grid.positions(lock.digit) & kHouseSet[house];
      const CellSet left = places.minus(struck);
      if (places.size() < 2 || left.size() != 1) continue;
      const bool pointing = house_kind(lock.from) == HouseKind::box;
      begin_step(step, pointing ? Technique::direct_pointing : Technique::direct_claiming,
                 pointing ? 17 : 19);
      fill_lock(step, grid, lock);
      add_houses(step, {house});
      step.placements.push_back(candidate(left.first(), lock.digit));
      step.cells.add(left.first());
      finish_step(step);
      return true;
    }
    return false;
  });
}

bool find_intersection(const Grid& grid, Step& step, Workspace&) {
  return for_each_lock(grid, [&](const Lock& lock) {
    const CellSet struck = (grid.positions(lock.digit) & kHouseSet[lock.to]).minus(kHouseSet[lock.from]);
    if (struck.empty()) return false;
    const bool pointing = house_kind(lock.from) == HouseKind::box;
    begin_step(step, pointing ? Technique::pointing : Technique::claiming, pointing ? 26 : 28);
    fill_lock(step, grid, lock);
    add_candidates(step.eliminations, grid, struck, digit_bit(lock.digit));
    finish_step(step);
    return true;
  });
}

}  // namespace quorlen::logic
