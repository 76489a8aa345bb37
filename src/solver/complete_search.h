// A complete search for the solutions of a grid, used when the attempts of
// the Solve command give up on a puzzle that may still have one, to count a
// puzzle's solutions, and to make random solved grids.
#pragma once

#include <random>

#include "board/puzzle.h"

namespace quorlen {

// The work a search did, added to what the counters already hold. A work
// measure that does not depend on the machine: tests bound it, the bench
// reports it.
struct SearchStats {
  long long guesses = 0;  // digits tried on a cell the narrowing left open
  long long counts = 0;   // find_solution: solution counts it asked for
};

// Fills `solution` and returns true when the grid has a solution; returns
// false when it has none (including grids that repeat a digit in a unit).
// Of several solutions it gives the first that a plain depth-first search
// meets: one that branches on the first empty cell, by grid index, with the
// fewest candidates left by the digits in its row, column and box (a cell
// with none or one at once), digits ascending. Always the same one for the
// same grid.
bool find_solution(const DigitGrid& grid, DigitGrid& solution, SearchStats* stats = nullptr);

// The number of solutions of a grid's digits, counted up to two: 0, 1, or
// 2 for two or more. A grid that repeats a digit in a unit has none. When
// there is one or more, `solution` (if not null) receives the first found.
int count_solutions(const DigitGrid& grid, DigitGrid* solution = nullptr, SearchStats* stats = nullptr);

// A solution of the grid picked at random: the search takes the candidates
// of each cell it branches on in an order drawn from `random`, so the same
// generator state gives the same solution on every machine. False when the
// grid has no solution.
bool random_solution(const DigitGrid& grid, std::mt19937_64& random, DigitGrid& solution);

}  // namespace quorlen
