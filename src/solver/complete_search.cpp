#include "solver/complete_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "board/units.h"

namespace quorlen {
namespace {

// --- Where each cell's bit lives -------------------------------------------
//
// The grid runs down the columns, so grid indexes 27s .. 27s+26 are the
// three columns of stack s (three boxes on top of each other). A set of
// cells is three 27-bit words, one per stack; a cell's bit in its stack's
// word is its grid index minus 27s. Inside a word, local column c holds bits
// 9c .. 9c+8 (top to bottom), a box the three 3-bit pieces of its rows in
// each column, and row r the bits r, 9+r and 18+r.
//
// Every mask is made from the unit table of board/units.h; the shifts the
// search uses in its inner loops are checked against it below.

using Cells = std::array<std::uint32_t, 3>;

constexpr int stack_of(int index) { return index / 27; }
constexpr std::uint32_t bit_of(int index) { return std::uint32_t{1} << (index % 27); }

struct Layout {
  std::array<Cells, 27> unit{};   // by unit number minus one, as kCellUnitIndexes gives it
  std::array<Cells, 81> peers{};  // the other cells of a cell's three units
};

constexpr Layout make_layout() {
  Layout t;
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos) {
      const int index = kUnitCells[unit][pos] - 1;
      t.unit[unit - 1][stack_of(index)] |= bit_of(index);
    }
  }
  for (int index = 0; index < 81; ++index) {
    for (const int u : kCellUnitIndexes[index + 1]) {
      for (int s = 0; s < 3; ++s) t.peers[index][s] |= t.unit[u][s];
    }
    t.peers[index][stack_of(index)] &= ~bit_of(index);
  }
  return t;
}

constexpr Layout kLayout = make_layout();

constexpr std::uint32_t kColumnBits = 0x1FF;         // local column 0 of a stack
constexpr std::uint32_t kBoxBits = 0x1C0E07;         // the top box of a stack
constexpr std::uint32_t kRowSpread = 0x40201;        // times a 9-bit row set: the rows in all columns
constexpr std::uint32_t kAllCells = (1u << 27) - 1;  // a whole stack
constexpr std::uint16_t kAllDigits = 0x3FE;          // digits 1..9 as bits 1..9

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

// --- The narrowing search ---------------------------------------------------

// Per digit, the cells that may still hold it, a placed digit's cell
// included; the cells not placed yet; the digits whose places changed since
// their last narrowing.
struct State {
  std::array<Cells, 9> places{};
  Cells open{kAllCells, kAllCells, kAllCells};
  std::uint32_t dirty = 0x1FF;

  State() {
    for (Cells& p : places) p = {kAllCells, kAllCells, kAllCells};
  }
};

// Puts digit d (0..8) on a cell, given as its stack and its bit there: the
// other digits leave the cell, d leaves the cell's peers. False when the
// cell cannot hold d.
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

bool place(State& s, int d, int index) { return place(s, d, stack_of(index), bit_of(index)); }

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

// Singles in cells and in units and the box/line rules, until none
// applies. Each round narrows every digit whose places changed, settling
// the places it leaves alone in a box as it goes, then the cells with one
// digit left; a round that places nothing ends it. False on a
// contradiction.
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

bool solved(const State& s) { return (s.open[0] | s.open[1] | s.open[2]) == 0; }

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
    for (int stack = 0; stack < 3 && cell < 0; ++stack) {
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

// --- Matchings, for searches that grow ------------------------------------
//
// The narrowing misses what takes several digits at once: three digits that
// a box can put only in the same two cells, or a group of digits confined
// to as many cells, which no other digit may then take. On an otherwise
// open grid the search meets such a contradiction again below every guess
// made elsewhere, and the tree grows by orders of magnitude. So a search
// that starts again after running out of guesses narrows, near the top of
// its tree (kMatchingDepth guesses deep at most), by matchings: in every
// unit, a digit keeps only the cells it takes in some way of giving the
// nine digits nine different cells (a perfect matching, found by
// augmenting paths over 9-bit masks; the other edges that lie on one are
// those on an alternating cycle). Every digit's nine rows must also find
// nine different columns. Further down the subtrees are small, and the
// narrowing would cost more than it saves.

constexpr long long kPatience = 256;  // guesses of the first search
constexpr int kMatchingDepth = 16;

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
std::uint32_t unit_places(const Cells& w, int unit) {
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
Cells unit_cells(int unit, std::uint32_t positions) {
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

// Narrows every unit by its matchings, then propagates. False on a
// contradiction.
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

// The givens placed and narrowed; false when a digit is out of range, the
// givens repeat a digit, or the narrowing finds no solution.
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
    const int count = std::popcount(m);
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
