// A complete depth-first search for a solution of a grid, used when the
// attempts of the Solve command give up on a puzzle that may still have one,
// and to count a puzzle's solutions.
#pragma once

#include <random>

#include "board/puzzle.h"

namespace quorlen {

// Fills `solution` and returns true when the grid has a solution; returns
// false when it has none (including grids that repeat a digit in a unit).
// Of several solutions it gives the first in a fixed search order (branch
// on the first empty cell, by grid index, with fewest candidates; digits
// ascending), always the same one for the same grid.
bool find_solution(const DigitGrid& grid, DigitGrid& solution);

// The number of solutions of a grid's digits, counted up to two: 0, 1, or
// 2 for two or more. A grid that repeats a digit in a unit has none. When
// there is one or more, `solution` (if not null) receives the first found.
int count_solutions(const DigitGrid& grid, DigitGrid* solution = nullptr);

// A solution of the grid picked at random: the search takes the candidates
// of each cell it branches on in an order drawn from `random`, so the same
// generator state gives the same solution on every machine. False when the
// grid has no solution.
bool random_solution(const DigitGrid& grid, std::mt19937_64& random, DigitGrid& solution);

}  // namespace quorlen
