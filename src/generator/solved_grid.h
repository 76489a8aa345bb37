// Random solved grids: the start of every puzzle the generator makes.
#pragma once

#include <random>

#include "board/puzzle.h"

namespace quorlen {

// A randomised complete search from the empty grid, then a random member
// of that grid's symmetry class: digits relabelled, rows shuffled within
// their bands and the bands shuffled, columns and stacks likewise, and the
// grid transposed or not. Every step is a symmetry of the rules, so the
// result is a solved grid too.
DigitGrid random_solved_grid(std::mt19937_64& random);

}  // namespace quorlen
