// X-Wing, Swordfish, Jellyfish: in k lines (the base) a digit has all its
// places within k crossing lines (the cover), so the cover lines hold it
// nowhere else.
//
// A digit with fewer than 2k copies still to place has a smaller fish the
// other way round, and is left to that one.
#include <bit>

#include "logic/combinations.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

constexpr Technique kFish[5] = {Technique::x_wing, Technique::x_wing, Technique::x_wing, Technique::swordfish,
                                Technique::jellyfish};
constexpr int kFishRating[5] = {0, 0, 32, 38, 52};

// Line `index` (0..8) of a kind: a column or a row house.
constexpr int line_house(bool columns, int index) { return columns ? column_house(index) : row_house(index); }

CellSet lines_cells(bool columns, unsigned lines) {
  CellSet cells;
  for (; lines != 0; lines &= lines - 1) cells |= kHouseSet[line_house(columns, std::countr_zero(lines))];
  return cells;
}

}  // namespace

bool find_fish(const Grid& grid, Step& step, Workspace&, int size) {
  // Columns as the base first, then rows; the sets of base lines in colex
  // order, and for each set the digits rising.
  for (const bool columns : {true, false}) {
    unsigned best_base = ~0u;
    int best_digit = 0;
    unsigned best_cover = 0;
    for (int digit = 1; digit <= 9; ++digit) {
      if (9 - grid.placed_count(digit) < 2 * size) continue;
      unsigned pool = 0;
      for (int line = 0; line < 9; ++line) {
        const int count = bit_count(grid.places(line_house(columns, line), digit));
        if (count >= 2 && count <= size) pool |= 1u << line;
      }
      for_each_combination(pool, size, [&](unsigned base) {
        if (base >= best_base) return true;
        unsigned cover = 0;
        for (unsigned rest = base; rest != 0; rest &= rest - 1) {
          cover |= grid.places(line_house(columns, std::countr_zero(rest)), digit);
        }
        if (bit_count(cover) != size) return false;
        const CellSet struck =
            (grid.positions(digit) & lines_cells(!columns, cover)).minus(lines_cells(columns, base));
        if (struck.empty()) return false;
        best_base = base;
        best_digit = digit;
        best_cover = cover;
        return true;
      });
    }
    if (best_digit == 0) continue;
    const CellSet base_cells = lines_cells(columns, best_base);
    const CellSet cover_cells = lines_cells(!columns, best_cover);
    begin_step(step, kFish[size], kFishRating[size]).size = static_cast<std::uint8_t>(size);
    add_candidates(step.pattern, grid, base_cells, digit_bit(best_digit));
    add_candidates(step.eliminations, grid, cover_cells.minus(base_cells), digit_bit(best_digit));
    for (unsigned rest = best_base; rest != 0; rest &= rest - 1) {
      add_houses(step, {line_house(columns, std::countr_zero(rest))});
    }
    for (unsigned rest = best_cover; rest != 0; rest &= rest - 1) {
      add_houses(step, {line_house(!columns, std::countr_zero(rest))});
    }
    set_digits(step, digit_bit(best_digit));
    finish_step(step);
    return true;
  }
  return false;
}

}  // namespace quorlen::logic
