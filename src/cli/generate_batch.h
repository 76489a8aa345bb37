// quorlen-generate: puzzles made in batch, on any number of threads, always
// the same lines for the same seed.
#pragma once

#include <cstdint>
#include <string>

#include "generator/generator.h"

namespace quorlen {

struct GenerateOptions {
  std::uint64_t count = 1;  // puzzles to write
  PuzzleRequest request;
  std::uint64_t seed = 0;
  int jobs = 1;  // generating threads
};

// The line of a puzzle, without its end: the puzzle string, then its
// level's name, its difficulty, the number of givens, and the passes and
// guesses of the Solve command, separated by tabs.
std::string generated_line(const Puzzle& puzzle);

// Writes `count` lines to `out`, puzzle n made from puzzle_engine(seed, n),
// in the order of n whatever the number of threads; a failed write ends
// the run and is reported on `err`, and a stop signal ends it as for
// run_batch (batch.h). Returns the exit status (command_line.h).
int run_generate(const GenerateOptions& options, int out, int err);

}  // namespace quorlen
