// Four masks at once: a 64-bit word of four 16-bit lanes, each a mask
// (below 2^15) or a flag in its bit 15. The first pass narrows the nine
// rows in lanes (first_pass.cpp) and guessing counts four units' places at
// once (guess_choice.cpp).
//
//     bit 63 ........ 48 47 ........ 32 31 ........ 16 15 ......... 0
//     |    lane 3      |    lane 2     |    lane 1     |    lane 0    |
//
// Words are copied from and to four int16 side by side, so lane i is the
// i-th of them on any byte order.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quorlen {

using Lanes = std::uint64_t;

inline Lanes load_lanes(const std::int16_t* from) {
  Lanes word;
  std::memcpy(&word, from, sizeof word);
  return word;
}

inline void store_lanes(std::int16_t* to, Lanes word) { std::memcpy(to, &word, sizeof word); }

constexpr Lanes lanes(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d) {
  return std::bit_cast<Lanes>(std::array<std::uint16_t, 4>{a, b, c, d});
}

inline constexpr Lanes kLaneTop = 0x8000800080008000;  // bit 15 of every lane
inline constexpr Lanes kLaneOne = 0x0001000100010001;
inline constexpr Lanes kFlag = 0x8000;  // bit 15 of the first lane

constexpr Lanes broadcast(int mask) { return kLaneOne * static_cast<std::uint16_t>(mask); }

// Bit 15 set in the lanes that are not 0.
constexpr Lanes nonzero(Lanes x) { return ((x | kLaneTop) - kLaneOne) & kLaneTop; }

// Bit 15 set in the lanes that hold exactly one bit: x & (x - 1) is 0.
constexpr Lanes one_bit(Lanes x) {
  const Lanes less = (x | kLaneTop) - kLaneOne;  // x - 1 in each lane that is not 0
  return less & kLaneTop & ~nonzero(x & less);
}

// Every bit of the lanes whose bit 15 is set.
constexpr Lanes whole(Lanes flags) { return flags | (flags - (flags >> 15)); }

// Lane k of a word, as an int.
constexpr int lane_of(Lanes word, int k) { return static_cast<int>((word >> (16 * k)) & 0xffff); }

}  // namespace quorlen
