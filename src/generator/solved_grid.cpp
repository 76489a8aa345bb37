#include "generator/solved_grid.h"

#include <array>

#include "board/units.h"
#include "generator/random.h"
#include "solver/complete_search.h"

namespace quorlen {
namespace {

// Line i of the new grid is line order[i] of the old one; lines move only
// within their band, and bands move whole.
std::array<int, 9> random_line_order(std::mt19937_64& random) {
  std::array<int, 3> bands{0, 1, 2};
  random_shuffle(bands, random);
  std::array<int, 9> order{};
  for (int band = 0; band < 3; ++band) {
    std::array<int, 3> lines{0, 1, 2};
    random_shuffle(lines, random);
    for (int i = 0; i < 3; ++i) order[3 * band + i] = 3 * bands[band] + lines[i];
  }
  return order;
}

}  // namespace

DigitGrid random_solved_grid(std::mt19937_64& random) {
  DigitGrid grid{};
  random_solution(DigitGrid{}, random, grid);  // the empty grid has solutions

  std::array<std::uint8_t, 9> relabel{1, 2, 3, 4, 5, 6, 7, 8, 9};  // digit d becomes relabel[d - 1]
  random_shuffle(relabel, random);
  const std::array<int, 9> rows = random_line_order(random);
  const std::array<int, 9> cols = random_line_order(random);
  const bool transpose = random() & 1;

  DigitGrid shuffled{};
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 9; ++col) {
      const int from = transpose ? grid_index(cols[col], rows[row]) : grid_index(rows[row], cols[col]);
      shuffled[grid_index(row, col)] = relabel[grid[from] - 1];
    }
  }
  return shuffled;
}

}  // namespace quorlen
