// Aligned pair and triplet exclusion: two (three) cells, and cells that
// see them all with few candidates (the excluders). A combination of
// values for the base cells is impossible when two base cells that see
// each other would share a value, or when it would take every candidate
// of an excluder. A base candidate that is in no possible combination is
// struck.
//
// Pairs of base cells are taken in colex order; a pair needs two
// excluders, each with exactly two candidates. For a triplet, each such
// pair is joined by a third cell (in cell order) that is itself a peer of
// one of the two with two or three candidates; the excluders may have two
// or three, and two of them must see all three base cells.
#include <algorithm>
#include <array>
#include <bit>

#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

int candidate_count(const Grid& grid, int cell) { return bit_count(unsigned{grid.candidates(cell)}); }

struct Exclusion {
  const Grid& grid;
  int size;
  std::array<int, 3> base{};
  std::array<unsigned, 3> keep{};
  CellSet excluders;

  // Whether some base candidate is in no possible combination; `keep`
  // ends with every candidate that is. For values a and b of the first
  // two cells, an excluder whose candidates are all among them rules the
  // pair out, and one with a single candidate c besides rules out c for
  // the third cell; what is left of the third cell's candidates are the
  // combinations possible with a and b.
  bool strikes() {
    std::array<unsigned, 24> masks{};
    int n = 0;
    for (const int cell : excluders) masks[static_cast<std::size_t>(n++)] = grid.candidates(cell);
    std::array<unsigned, 3> held{};
    for (int i = 0; i < size; ++i) held[i] = grid.candidates(base[static_cast<std::size_t>(i)]);
    const bool see01 = sees(base[0], base[1]);
    const bool see02 = size == 3 && sees(base[0], base[2]);
    const bool see12 = size == 3 && sees(base[1], base[2]);
    keep = {0, 0, 0};
    for (unsigned a = held[0]; a != 0; a &= a - 1) {
      const unsigned pa = a & (~a + 1);
      for (unsigned b = held[1]; b != 0; b &= b - 1) {
        const unsigned pb = b & (~b + 1);
        if (pa == pb && see01) continue;
        unsigned thirds = held[2];
        if (see02) thirds &= ~pa;
        if (see12) thirds &= ~pb;
        bool possible = true;
        for (int e = 0; e < n && possible; ++e) {
          const unsigned rest = masks[static_cast<std::size_t>(e)] & ~(pa | pb);
          if (rest == 0) {
            possible = false;
          } else if ((rest & (rest - 1)) == 0) {
            thirds &= ~rest;
          }
        }
        if (!possible || (size == 3 && thirds == 0)) continue;
        keep[0] |= pa;
        keep[1] |= pb;
        keep[2] |= thirds;
      }
    }
    for (int i = 0; i < size; ++i) {
      if ((held[i] & ~keep[i]) != 0) return true;
    }
    return false;
  }

  void fill(Step& step) {
    const bool pair = size == 2;
    begin_step(step, pair ? Technique::aligned_pair_exclusion : Technique::aligned_triplet_exclusion,
               pair ? 62 : 75)
        .size = static_cast<std::uint8_t>(size);
    unsigned digits = 0;
    for (int i = 0; i < size; ++i) {
      const int cell = base[static_cast<std::size_t>(i)];
      add_candidates(step.eliminations, grid, CellSet::of(cell),
                     grid.candidates(cell) & ~keep[static_cast<std::size_t>(i)]);
      add_candidates(step.pattern, grid, CellSet::of(cell), grid.candidates(cell));
      digits |= grid.candidates(cell);
    }
    add_candidates(step.pattern, grid, excluders, 0x3FE);
    set_digits(step, digits);
    finish_step(step);
  }
};

// Whether the three cells were taken together already, from a pair that
// comes before (first, second) in colex order: the answer would be the
// same.
bool tried_before(int first, int second, int third, CellSet narrow) {
  const auto earlier = [](int x1, int y1, int x2, int y2) { return y1 != y2 ? y1 < y2 : x1 < x2; };
  const int cells[3] = {first, second, third};
  for (int drop = 0; drop < 3; ++drop) {
    const int x = std::min(cells[(drop + 1) % 3], cells[(drop + 2) % 3]);
    const int y = std::max(cells[(drop + 1) % 3], cells[(drop + 2) % 3]);
    const int z = cells[drop];
    if (earlier(x, y, first, second) && narrow.has(z) && (kPeers[x] | kPeers[y]).has(z)) return true;
  }
  return false;
}

}  // namespace

bool find_aligned_exclusion(const Grid& grid, Step& step, Workspace&, int cells) {
  const int widest = cells == 2 ? 2 : 3;
  CellSet narrow;  // cells that can exclude
  CellSet single;
  for (const int cell : grid.empty_cells()) {
    const int count = candidate_count(grid, cell);
    if (count >= 2 && count <= widest) narrow.add(cell);
    if (count == 1) single.add(cell);
  }
  CellSet bases;
  for (const int cell : grid.empty_cells()) {
    if (candidate_count(grid, cell) >= 2 && !kPeers[cell].intersects(single) &&
        kPeers[cell].intersects(narrow)) {
      bases.add(cell);
    }
  }
  Exclusion exclusion{grid, cells, {}, {}, {}};
  for (const int second : bases) {
    for (const int first : bases) {
      if (first >= second) break;
      // A triplet's excluders see its first two cells too.
      const CellSet pair_excluders = kPeers[first] & kPeers[second] & narrow;
      if (!pair_excluders.several()) continue;
      if (cells == 2) {
        exclusion.base = {first, second, 0};
        exclusion.excluders = pair_excluders;
        if (exclusion.strikes()) {
          exclusion.fill(step);
          return true;
        }
        continue;
      }
      // The third cell may come before either of the first two.
      const CellSet thirds = ((kPeers[first] | kPeers[second]) & narrow & bases).minus(CellSet::of(first));
      for (const int third : thirds) {
        if (third == second) continue;
        const CellSet excluders = pair_excluders & kPeers[third];
        if (!excluders.several() || tried_before(first, second, third, narrow)) continue;
        exclusion.base = {first, second, third};
        exclusion.excluders = excluders;
        if (exclusion.strikes()) {
          exclusion.fill(step);
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace quorlen::logic
