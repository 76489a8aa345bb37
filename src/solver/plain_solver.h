// The solve run through its rules alone, as solver.h describes them, with
// none of the speed-ups: the digits read from the grid every time, every
// unit reduced in every pass, no replay, and the guess found by trying
// (k, u, d) in order. Slow; it serves tests, which hold the Solver to the
// same placements, reasons, counts and flags (run_attempts_plain).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/board.h"
#include "solver/placement.h"

namespace quorlen {

class PlainSolver {
 public:
  PlainSolver(Board& board, PlacementSink& sink) : board_(board), sink_(sink) {}

  void main_function();
  void write_pos(int loc, int value, Why why);
  bool guessed() const { return guessed_; }

 private:
  bool validate_all(bool stop_at_first);
  void possible(int unit);
  void place_single_places(int unit);
  void guess_function();
  bool try_guess(int places, int unit, int digit);
  void narrow(int cell, int mask, Why why);
  int unit_digits(int unit) const;  // the digits in the unit, bit d for digit d
  int digit_sum(int unit) const;    // the sum of their masks: a repeated digit counts twice
  int single_places(int unit) const;

  Board& board_;
  PlacementSink& sink_;
  bool guessed_ = false;
  std::array<std::int16_t, 83> mask_{};  // cells 1..81: the digits still possible
  bool changed_ = false;                 // some mask changed in the pass under way
};

}  // namespace quorlen
