// The searches, one per family of techniques, each in a file of its own.
// Each looks at the grid in its fixed order and, when it finds its
// pattern, fills in `step` with the first (for families whose steps differ
// in rating: the lowest-rated, first found among equals) and returns true.
// A search returns a step only when its pattern holds on the grid's
// current candidates, and a step always places or strikes something.
#pragma once

#include "logic/grid.h"
#include "logic/step.h"
#include "logic/workspace.h"

namespace quorlen::logic {

// singles.cpp: a full house first, then a hidden single (boxes, columns,
// rows); a naked single by cell.
bool find_hidden_single(const Grid& grid, Step& step, Workspace& work);
bool find_naked_single(const Grid& grid, Step& step, Workspace& work);

// intersections.cpp: pointing and claiming; the direct kind places the
// single they leave instead of striking.
bool find_direct_intersection(const Grid& grid, Step& step, Workspace& work);
bool find_intersection(const Grid& grid, Step& step, Workspace& work);

// subsets.cpp: naked and hidden sets of `size` cells or digits; the direct
// kind of a hidden pair or triplet places the single it leaves.
bool find_naked_set(const Grid& grid, Step& step, Workspace& work, int size);
bool find_hidden_set(const Grid& grid, Step& step, Workspace& work, int size);
bool find_direct_hidden_set(const Grid& grid, Step& step, Workspace& work, int size);

// fish.cpp: X-Wing, Swordfish, Jellyfish (`size` 2..4).
bool find_fish(const Grid& grid, Step& step, Workspace& work, int size);

// strong_links.cpp: chains of `links` (2..4) strong links on one digit
// (four are not in the rating's order: see rating.cpp).
bool find_strong_links(const Grid& grid, Step& step, Workspace& work, int links);

// wings.cpp: XY- and XYZ-Wing; the wings of a bivalue cell and a set of
// `cells` (3..6) cells that hold one digit more (WXYZ .. TUVWXYZ).
bool find_xy_wing(const Grid& grid, Step& step, Workspace& work, bool xyz);
bool find_set_wing(const Grid& grid, Step& step, Workspace& work, int cells);

// uniqueness.cpp: unique rectangles and loops, types 1 to 4.
bool find_unique_loop(const Grid& grid, Step& step, Workspace& work);

// bug.cpp: the bivalue universal grave, types 1 to 4.
bool find_bug(const Grid& grid, Step& step, Workspace& work);

// exclusion.cpp: aligned pair (`cells` 2) and triplet (3) exclusion.
bool find_aligned_exclusion(const Grid& grid, Step& step, Workspace& work, int cells);

// chains.cpp and the files it names: the chain family.
//   forcing chains and cycles (static; X, Y and both)
//   Nishio (dynamic, single digit, contradictions)
//   multiple: cell and region forcing chains (static)
//   dynamic at `level` 0 (plain), 1 (with simple techniques inside, "+"),
//   2 and 3 (nested chains), and level 4 with the inner dynamic search at
//   `inner_level` 0..3.
bool find_forcing_chains(const Grid& grid, Step& step, Workspace& work);
bool find_nishio(const Grid& grid, Step& step, Workspace& work);
bool find_multiple_chains(const Grid& grid, Step& step, Workspace& work);
bool find_dynamic_chains(const Grid& grid, Step& step, Workspace& work, int level, int inner_level);

}  // namespace quorlen::logic
