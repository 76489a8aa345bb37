#include "solver/bitboard.h"

#include <algorithm>
#include <bit>

namespace quorlen::bitboard {
namespace {

// The shifts the search uses agree with the unit table: each column, row
// and box of units.h is where they look for it.
constexpr bool layout_matches_units() {
  int columns = 0, rows = 0, boxes = 0;
  for (const Cells& unit : kLayout.unit) {
    int stacks = 0;
    for (int s = 0; s < 3; ++s) {
      const std::uint32_t w = unit[s];
      if (w == 0) continue;
      ++stacks;
      for (int k = 0; k < 3; ++k) {
        if (w == kColumnBits << (9 * k)) ++columns;
        if (w == kBoxBits << (3 * k)) ++boxes;
      }
      for (int r = 0; r < 9; ++r) {
        if (w == kRowSpread << r) ++rows;
      }
    }
    if (stacks == 0) return false;
  }
  return columns == 9 && boxes == 9 && rows == 27;
}
static_assert(layout_matches_units(), "the stack words must follow the grid's cell numbering");

// --- Tables for a digit's places, three lines by three parts ---------------
//
// Nine bits, bit 3i+j for line i and part j: in a stack, the columns and
// the boxes; across a floor of three rows, the stacks and the rows. A digit
// takes exactly one place per line and per part, so of the bits present it
// keeps those on a full matching of lines to parts; none left means the
// digit has nowhere to go. This holds every box/line rule at once: a digit
// confined to one line within a part leaves that line elsewhere, and the
// other way round.
constexpr auto kMatched = [] {
  std::array<std::uint16_t, 512> keep{};
  constexpr int kOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (unsigned present = 0; present < 512; ++present) {
    for (const auto& order : kOrders) {
      const unsigned bits = (1u << order[0]) | (1u << (3 + order[1])) | (1u << (6 + order[2]));
      if ((present & bits) == bits) keep[present] = static_cast<std::uint16_t>(keep[present] | bits);
    }
  }
  return keep;
}();

// A column's nine bits to the boxes it has a bit in (bit j for box j).
constexpr auto kBoxesHit = [] {
  std::array<std::uint8_t, 512> hit{};
  for (unsigned column = 0; column < 512; ++column) {
    for (int j = 0; j < 3; ++j) {
      if (((column >> (3 * j)) & 7) != 0) hit[column] = static_cast<std::uint8_t>(hit[column] | (1u << j));
    }
  }
  return hit;
}();

// A stack's column/box pieces (bit 3c+j) that kMatched keeps, as the cells
// they hold.
constexpr auto kStackKeep = [] {
  std::array<std::uint32_t, 512> cells{};
  for (unsigned present = 0; present < 512; ++present) {
    for (int piece = 0; piece < 9; ++piece) {
      if ((kMatched[present] >> piece) & 1) cells[present] |= 7u << (9 * (piece / 3) + 3 * (piece % 3));
    }
  }
  return cells;
}();

// kMatched for a floor, from and to the rows of the three stacks side by
// side (bit 9s+r for row r of stack s) less the floor's shift: bit 3s+j of
// the matching is bit 9s+j here. 0 where the floor has no matching.
constexpr auto kFloorKeep = [] {
  std::array<std::uint32_t, 512> rows{};
  for (unsigned present = 0; present < 512; ++present) {
    const unsigned k = kMatched[present];
    rows[present] = (k & 7) | (k & 0x38) << 6 | (k & 0x1C0) << 12;
  }
  return rows;
}();

// Narrows one digit's places by kMatched in each stack and each floor until
// nothing changes. False when a unit has no place left for the digit. Each
// step keeps what it leaves, so another round is needed only when the
// floors struck a place.
bool narrow_digit(Cells& w) {
  for (;;) {
    Cells n;
    std::uint32_t rows = 0;  // bit 9s+r: row r of stack s has a place
    for (int s = 0; s < 3; ++s) {
      const std::uint32_t x = w[s];
      const unsigned present = kBoxesHit[x & kColumnBits] | kBoxesHit[(x >> 9) & kColumnBits] << 3 |
                               kBoxesHit[(x >> 18) & kColumnBits] << 6;
      n[s] = x & kStackKeep[present];
      if (n[s] == 0) return false;
      rows |= ((n[s] | n[s] >> 9 | n[s] >> 18) & kColumnBits) << (9 * s);
    }
    std::uint32_t keep = 0;
    for (int f = 0; f < 3; ++f) {
      const std::uint32_t floor = (rows >> (3 * f)) & kBoxBits;
      const std::uint32_t kept = kFloorKeep[(floor | floor >> 6 | floor >> 12) & kColumnBits];
      if (kept == 0) return false;
      keep |= kept << (3 * f);
    }
    w = n;
    if (keep == rows) return true;
    for (int s = 0; s < 3; ++s) w[s] &= ((keep >> (9 * s)) & kColumnBits) * kRowSpread;
  }
}

// The cells of a stack word that are alone in their box.
std::uint32_t box_singles(std::uint32_t w) {
  std::uint32_t singles = 0;
  for (int j = 0; j < 3; ++j) {
    const std::uint32_t box = w & (kBoxBits << (3 * j));
    singles |= (box & (box - 1)) == 0 ? box : 0;
  }
  return singles;
}

// Settles digit d on open `cells` of a stack where it has the only place in
// its box: the other digits leave them. Once d is narrowed, a place alone in
// its box has no place of d among its peers, and a digit with one place in a
// row or a column has one in that box too: the boxes find every single place.
void fix_box_singles(State& s, int d, int stack, std::uint32_t cells) {
  std::uint32_t dirty = 0;
  for (int e = 0; e < 9; ++e) {
    const std::uint32_t had = s.places[e][stack];
    s.places[e][stack] = had & ~cells;
    dirty |= static_cast<std::uint32_t>((had & cells) != 0) << e;
  }
  s.places[d][stack] |= cells;
  s.dirty |= dirty & ~(1u << d);
  s.open[stack] &= ~cells;
}

// Cells of one stack with exactly one digit left, and false when an open
// cell has none.
bool place_cell_singles(State& s, int stack, bool& placed) {
  std::uint32_t once = 0, twice = 0;
  for (const Cells& p : s.places) {
    twice |= once & p[stack];
    once |= p[stack];
  }
  if ((s.open[stack] & ~once) != 0) return false;
  for (std::uint32_t single = once & ~twice & s.open[stack]; single != 0; single &= single - 1) {
    const int k = std::countr_zero(single);
    const std::uint32_t bit = std::uint32_t{1} << k;
    unsigned digits = 0;
    for (int e = 0; e < 9; ++e) digits |= ((s.places[e][stack] >> k) & 1u) << e;
    if (digits == 0) return false;  // a peer placed meanwhile took its last digit
    const int d = std::countr_zero(digits);
    // No other digit is left on the cell: only d's peers change.
    const Cells& peers = kLayout.peers[27 * stack + std::countr_zero(bit)];
    for (int t = 0; t < 3; ++t) s.places[d][t] &= ~peers[t];
    s.dirty |= 1u << d;
    s.open[stack] &= ~bit;
    placed = true;
  }
  return true;
}

}  // namespace

bool place(State& s, int d, int stack, std::uint32_t bit) {
  if ((s.places[d][stack] & bit) == 0) return false;
  std::uint32_t dirty = 1u << d;
  for (int e = 0; e < 9; ++e) {
    const std::uint32_t had = s.places[e][stack];
    s.places[e][stack] = had & ~bit;
    dirty |= static_cast<std::uint32_t>((had & bit) != 0) << e;
  }
  const Cells& peers = kLayout.peers[27 * stack + std::countr_zero(bit)];
  for (int t = 0; t < 3; ++t) s.places[d][t] &= ~peers[t];
  s.places[d][stack] |= bit;
  s.dirty |= dirty;
  s.open[stack] &= ~bit;
  return true;
}

// Each round narrows every digit whose places changed, settling the places
// it leaves alone in a box as it goes, then the cells with one digit left; a
// round that places nothing ends it.
bool propagate(State& s) {
  for (;;) {
    const std::uint32_t narrowed = s.dirty;
    s.dirty = 0;
    bool placed = false;
    for (std::uint32_t m = narrowed; m != 0; m &= m - 1) {
      const int d = std::countr_zero(m);
      if (!narrow_digit(s.places[d])) return false;
      for (int stack = 0; stack < 3; ++stack) {
        const std::uint32_t singles = box_singles(s.places[d][stack]) & s.open[stack];
        if (singles == 0) continue;
        fix_box_singles(s, d, stack, singles);
        placed = true;
      }
    }
    for (int stack = 0; stack < 3; ++stack) {
      if (!place_cell_singles(s, stack, placed)) return false;
    }
    if (!placed && s.dirty == 0) return true;
  }
}

DigitGrid grid_of(const State& s) {
  DigitGrid grid{};
  for (int d = 0; d < 9; ++d) {
    for (int stack = 0; stack < 3; ++stack) {
      for (std::uint32_t w = s.places[d][stack]; w != 0; w &= w - 1) {
        grid[27 * stack + std::countr_zero(w)] = static_cast<std::uint8_t>(d + 1);
      }
    }
  }
  return grid;
}

bool start(const DigitGrid& grid, State& s) {
  Cells given{};
  std::uint8_t largest = 0;
  for (int i = 0; i < 81; ++i) {
    largest = std::max(largest, grid[i]);
    given[stack_of(i)] |= static_cast<std::uint32_t>(grid[i] != 0) << (i % 27);
  }
  if (largest > 9) return false;
  for (int d = 0; d < 9; ++d) {
    for (int t = 0; t < 3; ++t) s.places[d][t] = kAllCells & ~given[t];
  }
  for (int t = 0; t < 3; ++t) s.open[t] = kAllCells & ~given[t];
  for (int stack = 0; stack < 3; ++stack) {
    for (std::uint32_t m = given[stack]; m != 0; m &= m - 1) {
      const int i = 27 * stack + std::countr_zero(m);
      Cells& p = s.places[grid[i] - 1];
      const Cells& peers = kLayout.peers[i];
      for (int t = 0; t < 3; ++t) p[t] &= ~peers[t];
      p[stack] |= m & (0u - m);
    }
  }
  // A given that repeats a digit in a unit struck the other's place.
  for (int stack = 0; stack < 3; ++stack) {
    std::uint32_t kept = 0;
    for (const Cells& p : s.places) kept |= p[stack];
    if ((given[stack] & ~kept) != 0) return false;
  }
  return propagate(s);
}

}  // namespace quorlen::bitboard
