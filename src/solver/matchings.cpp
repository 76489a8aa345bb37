#include "solver/matchings.h"

#include <bit>

namespace quorlen::bitboard {
namespace {

// Whether the 9 left vertices, with `adjacent` right vertices each (bits
// 0..8), can be matched to 9 different right vertices; `left_of` gets the
// matching, the left vertex plus one by right vertex.
bool perfect_matching(const std::array<std::uint32_t, 9>& adjacent, std::array<int, 9>& left_of) {
  left_of = {};
  // Most vertices get a free partner at once; only the rest need a path.
  std::uint32_t taken = 0, unmatched = 0;
  for (int left = 0; left < 9; ++left) {
    const std::uint32_t free = adjacent[left] & ~taken;
    if (adjacent[left] == 0) return false;
    if (free == 0) {
      unmatched |= 1u << left;
      continue;
    }
    const int right = std::countr_zero(free);
    taken |= 1u << right;
    left_of[right] = left + 1;
  }
  for (; unmatched != 0; unmatched &= unmatched - 1) {
    const int start = std::countr_zero(unmatched);
    // Breadth-first search for an augmenting path from `start`.
    std::array<int, 9> via{};  // the left vertex that reached each right vertex
    std::array<int, 9> queue{};
    int head = 0, tail = 0;
    queue[tail++] = start;
    std::uint32_t seen = 0;
    int free_right = -1;
    while (head < tail && free_right < 0) {
      const int left = queue[head++];
      for (std::uint32_t m = adjacent[left] & ~seen; m != 0; m &= m - 1) {
        const int right = std::countr_zero(m);
        seen |= 1u << right;
        via[right] = left;
        if (left_of[right] == 0) {
          free_right = right;
          break;
        }
        queue[tail++] = left_of[right] - 1;
      }
    }
    if (free_right < 0) return false;
    // Flip the path back to `start`.
    for (int right = free_right;;) {
      const int left = via[right];
      int previous = -1;
      for (int r = 0; r < 9; ++r) {
        if (left_of[r] == left + 1) previous = r;
      }
      left_of[right] = left + 1;
      if (left == start) break;
      right = previous;
    }
  }
  return true;
}

// A unit's nine cells as bits 0..8 of a digit's places.
constexpr std::uint32_t unit_places(const Cells& w, int unit) {
  if (unit < 9) return (w[unit / 3] >> (9 * (unit % 3))) & kColumnBits;  // a column
  if (unit < 18) {                                                       // a row
    const int r = unit - 9;
    std::uint32_t bits = 0;
    for (int s = 0; s < 3; ++s) {
      const std::uint32_t x = (w[s] >> r) & kRowSpread;
      bits |= ((x | x >> 8 | x >> 16) & 7) << (3 * s);
    }
    return bits;
  }
  const int box = unit - 18;  // a box: stack box / 3, part box % 3
  const std::uint32_t x = (w[box / 3] >> (3 * (box % 3))) & kBoxBits;
  return (x | x >> 6 | x >> 12) & kColumnBits;
}

// The cells of a unit at positions `positions` (bits 0..8, as unit_places
// numbers them).
constexpr Cells unit_cells(int unit, std::uint32_t positions) {
  Cells cells{};
  if (unit < 9) {
    cells[unit / 3] = positions << (9 * (unit % 3));
  } else if (unit < 18) {
    for (int t = 0; t < 3; ++t) {
      const std::uint32_t columns = (positions >> (3 * t)) & 7;
      cells[t] = ((columns & 1) | (columns & 2) << 8 | (columns & 4) << 16) << (unit - 9);
    }
  } else {
    const std::uint32_t p = positions;
    cells[(unit - 18) / 3] = ((p & 7) | (p & 0x38) << 6 | (p & 0x1C0) << 12) << (3 * ((unit - 18) % 3));
  }
  return cells;
}

// Both follow the unit table (columns 0..8, rows 9..17, boxes 18..26, as
// kLayout has them), and each position is one cell and back.
constexpr bool units_agree() {
  for (int unit = 0; unit < 27; ++unit) {
    if (unit_cells(unit, kColumnBits) != kLayout.unit[unit]) return false;
    for (int position = 0; position < 9; ++position) {
      const Cells cell = unit_cells(unit, 1u << position);
      if (std::popcount(cell[0]) + std::popcount(cell[1]) + std::popcount(cell[2]) != 1) return false;
      if (unit_places(cell, unit) != 1u << position) return false;
    }
  }
  return true;
}
static_assert(units_agree(), "unit_places and unit_cells must number the units as the layout does");

}  // namespace

bool narrow_by_matchings(State& s) {
  std::array<std::uint32_t, 9> adjacent{};
  std::array<int, 9> left_of{};
  bool changed = false;
  for (int unit = 0; unit < 27; ++unit) {
    for (int d = 0; d < 9; ++d) adjacent[d] = unit_places(s.places[d], unit);
    if (!perfect_matching(adjacent, left_of)) return false;
    // reach[d]: the digits whose matched cells d reaches by taking a
    // matched cell and passing its own on.
    std::array<std::uint32_t, 9> reach{};
    for (int d = 0; d < 9; ++d) {
      for (std::uint32_t m = adjacent[d]; m != 0; m &= m - 1)
        reach[d] |= 1u << (left_of[std::countr_zero(m)] - 1);
    }
    for (int k = 0; k < 9; ++k) {
      for (int d = 0; d < 9; ++d) {
        if ((reach[d] >> k) & 1) reach[d] |= reach[k];
      }
    }
    // d may take e's cell when e reaches d again: an alternating cycle.
    for (int d = 0; d < 9; ++d) {
      std::uint32_t struck = 0;
      for (std::uint32_t m = adjacent[d]; m != 0; m &= m - 1) {
        const int position = std::countr_zero(m);
        const int e = left_of[position] - 1;
        if (e != d && ((reach[e] >> d) & 1) == 0) struck |= 1u << position;
      }
      if (struck == 0) continue;
      const Cells cells = unit_cells(unit, struck);
      for (int t = 0; t < 3; ++t) s.places[d][t] &= ~cells[t];
      s.dirty |= 1u << d;
      changed = true;
    }
  }
  if (changed && !propagate(s)) return false;
  for (int d = 0; d < 9; ++d) {
    for (int r = 0; r < 9; ++r) adjacent[r] = unit_places(s.places[d], 9 + r);
    if (!perfect_matching(adjacent, left_of)) return false;
  }
  return true;
}

}  // namespace quorlen::bitboard
