// Matchings, for searches that grow.
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
#pragma once

#include "solver/bitboard.h"

namespace quorlen::bitboard {

// Narrows every unit by its matchings, then propagates. False on a
// contradiction.
bool narrow_by_matchings(State& s);

}  // namespace quorlen::bitboard
