// The guess's search over (k, u, d) done four units at a time, with the
// places of all nine digits of a unit counted at once.
//
// The reduction stops only when the single-place rule finds nothing in any
// unit, so no unit has a digit with one place in a cell that has other
// candidates: two places is the fewest there can be, and the first unit
// that offers two wins at once.
#include "solver/guess_choice.h"

#include <bit>
#include <cstddef>

#include "solver/lanes.h"
#include "solver/masks.h"

namespace quorlen {
namespace {

// The number of cells of a unit that hold each digit as a candidate, for
// all nine digits at once: a 4-bit counter per digit, bit d of bits[i]
// being bit i of digit d's count. Word is int for one unit, or Lanes for
// four units side by side.
//
//     bits[3]  bits[2]  bits[1]  bits[0]
//       8s       4s       2s       1s      (bit d: digit d)
template <typename Word>
struct PlaceCounts {
  std::array<Word, 4> bits{};

  void add(Word mask) {  // one more place for every digit in mask
    const Word carry0 = bits[0] & mask;
    bits[0] ^= mask;
    const Word carry1 = bits[1] & carry0;
    bits[1] ^= carry0;
    const Word carry2 = bits[2] & carry1;
    bits[2] ^= carry1;
    bits[3] |= carry2;
  }
};

// The fewest places among the `open` digits of a unit, and in `digit` the
// smallest digit with that many: a bit of the count at a time from the
// highest, keeping the digits whose count has a 0 there if any do. With no
// open digit the count comes out as 15.
int fewest_places(int open, const PlaceCounts<int>& counts, int& digit) {
  int fewest = open;
  int places = 0;
  for (int i = 3; i >= 0; --i) {
    const int zero = fewest & ~counts.bits[static_cast<std::size_t>(i)];
    const int some = -static_cast<int>(zero != 0);  // all ones or 0
    fewest = (zero & some) | (fewest & ~some);
    places |= (1 << i) & ~some;
  }
  digit = std::countr_zero(static_cast<unsigned>(fewest));
  return places;
}

// The places of every digit in four units side by side, unit first + k in
// lane k, and the digits some cell of each could take as a guess.
struct FourUnits {
  PlaceCounts<Lanes> counts;
  Lanes open = 0;

  PlaceCounts<int> counts_of(int k) const {
    return {{lane_of(counts.bits[0], k), lane_of(counts.bits[1], k), lane_of(counts.bits[2], k),
             lane_of(counts.bits[3], k)}};
  }
};

// A lane past unit 27 reads unit 28, which holds nothing (see kUnitCellBytes).
FourUnits count_places(int first, const std::array<std::int16_t, 83>& masks,
                       const std::array<std::int16_t, 83>& tried_masks) {
  FourUnits units;
  for (std::size_t pos = 0; pos < 9; ++pos) {
    Lanes mask = 0, tried = 0;
    for (int k = 0; k < 4; ++k) {
      const auto cell = static_cast<std::size_t>(kUnitCellBytes[static_cast<std::size_t>(first + k)][pos]);
      mask |= Lanes{static_cast<std::uint16_t>(masks[cell])} << (16 * k);
      tried |= Lanes{static_cast<std::uint16_t>(tried_masks[cell])} << (16 * k);
    }
    units.counts.add(mask);
    // Narrowing a cell whose mask is one digit alone (or none) changes nothing.
    const Lanes several = nonzero(mask & ((mask | kLaneTop) - kLaneOne));
    units.open |= mask & ~tried & whole(several);
  }
  return units;
}

}  // namespace

GuessChoice choose_guess(const std::array<std::int16_t, 83>& cand_mask,
                         const std::array<std::int16_t, 83>& tried_mask) {
  GuessChoice best;
  for (int first = 1; first <= 27; first += 4) {
    const FourUnits units = count_places(first, cand_mask, tried_mask);
    for (int k = 0; k < 4 && first + k <= 27; ++k) {
      int digit = 0;
      const int places = fewest_places(lane_of(units.open, k), units.counts_of(k), digit);
      // A later unit wins only with fewer places; none has fewer than two.
      if (places < best.places) best = {places, first + k, digit};
      if (best.places == 2) return best;
    }
  }
  return best;
}

}  // namespace quorlen
