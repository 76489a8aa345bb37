// The puzzles of a printed booklet: read as quorlen-solve reads its inputs,
// each checked for exactly one solution and rated by the Solve command (and,
// when asked, by the person's solver).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "board/puzzle.h"
#include "solver/difficulty.h"

namespace quorlen {

struct BookletPuzzle {
  DigitGrid givens{};
  DigitGrid solution{};
  Level level = Level::easy;
  int er = 0;  // the person's solver's rating in tenths, when asked for
};

struct BookletPuzzles {
  std::vector<BookletPuzzle> puzzles;  // in input order
  bool refused = false;                // some line, file or puzzle could not be used
};

// Reads every input ("-" is `in`). A puzzle without exactly one solution is
// refused: a booklet must not hold a puzzle that cannot be solved, nor one
// whose printed solution is only one of several. Each refusal is told on
// standard error after "PROGRAM: ", naming the input and line. With
// `person_rating`, each puzzle is rated by the person's solver too (ER).
BookletPuzzles read_booklet_puzzles(const std::vector<std::string>& inputs, int in, std::string_view program,
                                    bool person_rating = false);

}  // namespace quorlen
