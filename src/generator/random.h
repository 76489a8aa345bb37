// The generator's randomness: only raw output of std::mt19937_64, whose
// sequence the C++ standard fixes, so that a seed gives the same puzzles
// with every compiler and standard library (the standard's distributions
// and std::shuffle may differ between them).
#pragma once

#include <cstdint>
#include <random>
#include <utility>

namespace quorlen {

// A number in 0..n-1 (n > 0). The remainder's bias, at most n / 2^64, is
// of no consequence here.
inline unsigned random_below(std::mt19937_64& random, unsigned n) {
  return static_cast<unsigned>(random() % n);
}

// Fisher-Yates over a whole container.
template <class Container>
void random_shuffle(Container& items, std::mt19937_64& random) {
  for (auto k = items.size(); k > 1; --k) {
    std::swap(items[k - 1], items[random_below(random, static_cast<unsigned>(k))]);
  }
}

// The generator of puzzle `number` of a run with `seed`: each puzzle has
// its own, so that the puzzles never depend on which thread makes them or
// in what order. The two numbers are mixed (SplitMix64's finaliser) so
// that neighbouring seeds and numbers give unrelated sequences.
inline std::mt19937_64 puzzle_engine(std::uint64_t seed, std::uint64_t number) {
  const auto mix = [](std::uint64_t x) {
    x += 0x9e3779b97f4a7c15u;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9u;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebu;
    return x ^ (x >> 31);
  };
  return std::mt19937_64(mix(seed ^ mix(number)));
}

}  // namespace quorlen
