// What people read of a step of the person's solver: the compact fields a
// setter's tools exchange (r5c3=4, r1c4<>5), a sentence for a player or a
// learner, and the small pieces a hint is made of. Every text about such a
// step is composed here, from the step value alone (and the grid it was
// found on, for the candidates a sentence names); the searches never write
// a word.
//
// Cells are named as players name them, r5c3 (row 5, column 3); rows and
// columns by their numbers; a box by its place in the grid ("the top-left
// box", "the middle box", "the bottom-right box").
#pragma once

#include <string>

#include "logic/grid.h"
#include "logic/step.h"

namespace quorlen {

// "r5c3" for cell 0..80 of the person's solver (row by row from the
// top-left; see logic/houses.h).
std::string rc_name(int cell);

// "the top-left box", "row 2", "column 5" for house 0..26 (logic/houses.h).
std::string house_phrase(int house);

// What the step places, "r5c3=4", several separated by blanks; empty when
// it places nothing.
std::string placements_text(const logic::Step& step);

// What it strikes: the digits of one cell joined, the cells in reading
// order, separated by blanks ("r1c4<>5 r2c6<>57"); empty when it strikes
// nothing.
std::string eliminations_text(const logic::Step& step);

// A sentence that tells why the step holds and what it concludes, starting
// with its name ("Pointing: in the top-left box, 5 fits only in r2c1 and
// r2c3, which lie in row 2, so r2c7 cannot be 5."). `grid` is the grid the
// step was found on. A chain of more than a few links is given by its start,
// its end and the number of links between; chains_text has it whole.
std::string technique_sentence(const logic::Step& step, const logic::Grid& grid);

// One chain link by link: "if r1c2 is 5, then r1c7 is not 5, so r3c7 is
// 5, ...".
std::string chain_text(const logic::Chain& chain);

// Every chain of a step whole, one sentence each ("If ..."); empty for a
// step without chains.
std::string chains_text(const logic::Step& step);

// The first hint of a step: the technique to look for and its rating, "Look
// for a pointing pair (2.6)."
std::string technique_hint(const logic::Step& step);

// A closer hint: the technique, its digits and its houses, "Look for a
// pointing pair on 5, in the top-left box and row 2."
std::string focus_hint(const logic::Step& step);

}  // namespace quorlen
