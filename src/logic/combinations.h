// Tuples of cells or digits, taken in the order every search takes them:
// colex, which for subsets of one pool is the order of their masks as
// numbers ({1,2}, {1,3}, {2,3}, {1,4}, ...).
#pragma once

#include <array>
#include <bit>

namespace quorlen::logic {

// Calls visit(mask) for every subset of `size` members of `pool` (a mask
// of up to 27 bits), in colex order, until visit returns true; returns
// whether it did.
template <typename Visit>
bool for_each_combination(unsigned pool, int size, Visit visit) {
  std::array<unsigned, 32> member{};
  int n = 0;
  for (unsigned rest = pool; rest != 0; rest &= rest - 1) member[n++] = rest & (~rest + 1);
  if (size == 0) return visit(0u);
  if (size < 0 || size > n) return false;
  // Gosper's hack walks the subsets of {0..n-1} as rising numbers; each is
  // then spread onto the pool's bits.
  for (unsigned index = (1u << size) - 1; index < (1u << n);) {
    unsigned mask = 0;
    for (unsigned rest = index; rest != 0; rest &= rest - 1) mask |= member[std::countr_zero(rest)];
    if (visit(mask)) return true;
    const unsigned low = index & (~index + 1);
    const unsigned ripple = index + low;
    index = (((ripple ^ index) >> 2) / low) | ripple;
  }
  return false;
}

}  // namespace quorlen::logic
