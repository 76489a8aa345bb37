// Whether a grid's candidates leave it exactly one solution, found by trial
// and error (a cell with the fewest candidates first, singles in between).
//
// The deepest chain searches nest whole searches inside every link they
// follow: on a grid with one solution they find a step within seconds, but
// on one with several (or none), where they can only fail, failing takes
// hours. They ask this first; it takes microseconds to milliseconds. It
// decides nothing about the steps themselves.
#include <array>
#include <bit>

#include "logic/chains.h"

namespace quorlen::logic {
namespace {

struct Trial {
  std::array<std::uint16_t, 81> candidates{};
  std::array<std::uint8_t, 81> value{};

  // Places the digit and strikes it from the peers; false on a cell left
  // without candidates.
  bool place(int cell, int digit) {
    value[cell] = static_cast<std::uint8_t>(digit);
    candidates[cell] = 0;
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    for (const int peer : kPeers[cell]) {
      if (value[peer] != 0 || (candidates[peer] & bit) == 0) continue;
      candidates[peer] = static_cast<std::uint16_t>(candidates[peer] & ~bit);
      if (candidates[peer] == 0) return false;
    }
    return true;
  }

  // Places naked and hidden singles until none is left; false on a
  // contradiction.
  bool singles() {
    for (bool again = true; again;) {
      again = false;
      for (int cell = 0; cell < 81; ++cell) {
        if (value[cell] != 0 || several_bits(candidates[cell])) continue;
        if (candidates[cell] == 0 || !place(cell, std::countr_zero(candidates[cell]))) return false;
        again = true;
      }
      for (int house = 0; house < 27; ++house) {
        unsigned once = 0, twice = 0, placed = 0;
        for (int i = 0; i < 9; ++i) {
          const int cell = house_cell(house, i);
          placed |= value[cell] != 0 ? 1u << value[cell] : 0u;
          twice |= once & candidates[cell];
          once |= candidates[cell];
        }
        if ((once | placed) != kAllCandidates) return false;
        for (unsigned single = once & ~twice & ~placed; single != 0; single &= single - 1) {
          const int digit = std::countr_zero(single);
          for (int i = 0; i < 9; ++i) {
            const int cell = house_cell(house, i);
            if ((candidates[cell] >> digit & 1) == 0) continue;
            if (!place(cell, digit)) return false;
            again = true;
            break;
          }
        }
      }
    }
    return true;
  }
};

// Counts solutions, stopping at `limit`.
int count(Trial& trial, int limit) {
  if (!trial.singles()) return 0;
  int best = -1;
  int fewest = 10;
  for (int cell = 0; cell < 81; ++cell) {
    if (trial.value[cell] != 0) continue;
    const int n = bit_count(trial.candidates[cell]);
    if (n < fewest) {
      fewest = n;
      best = cell;
    }
  }
  if (best < 0) return 1;
  int found = 0;
  for (unsigned rest = trial.candidates[best]; rest != 0 && found < limit; rest &= rest - 1) {
    Trial next = trial;
    if (next.place(best, std::countr_zero(rest))) found += count(next, limit - found);
  }
  return found;
}

}  // namespace

bool has_one_solution(const Grid& grid) {
  // Candidates a person wrote may keep a digit a peer holds: no solution
  // has it there; a digit that repeats in a house allows none at all.
  Trial trial;
  for (int cell = 0; cell < 81; ++cell) {
    trial.value[cell] = static_cast<std::uint8_t>(grid.value(cell));
    trial.candidates[cell] = grid.candidates(cell);
  }
  for (int cell = 0; cell < 81; ++cell) {
    const int digit = grid.value(cell);
    if (digit == 0) continue;
    for (const int peer : kPeers[cell]) {
      if (grid.value(peer) == digit) return false;
      trial.candidates[peer] = static_cast<std::uint16_t>(trial.candidates[peer] & ~(1u << digit));
    }
  }
  return count(trial, 2) == 1;
}

}  // namespace quorlen::logic
