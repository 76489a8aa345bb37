// quorlen-generate: puzzles made in batch, on any number of threads, always
// the same lines for the same seed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
// guesses of the Solve command, separated by tabs; and the person's
// solver's rating (ER) where it was asked for.
std::string generated_line(const Puzzle& puzzle);

// A band of ratings as a command line writes it: "7.0-7.9", or one rating
// ("7.2"), each from 0.0 to 20.0 with at most one decimal; nothing for any
// other text, or a band whose bottom is above its top.
std::optional<RatingBand> rating_band(std::string_view text);

// How many grids a puzzle may take before standard error says, once, that
// puzzles as asked are rare (the search goes on).
inline constexpr std::uint64_t kGridsBeforeNote = 20000;

// Writes `count` lines to `out`, puzzle n made from puzzle_engine(seed, n),
// in the order of n whatever the number of threads; a failed write ends
// the run and is reported on `err`, and a stop signal ends it as for
// run_batch (batch.h). Returns the exit status (command_line.h).
int run_generate(const GenerateOptions& options, int out, int err);

}  // namespace quorlen
