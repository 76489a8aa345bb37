// A set of cells as 81 bits in two words: cells 0..63 in the low word,
// 64..80 in the high one. The person's solver asks most of its questions
// ("where can 5 go in this row", "which cells see both ends") as a few
// ANDs on these.
#pragma once

#include <bit>
#include <cstdint>

namespace quorlen::logic {

// The bits set in a word. std::popcount becomes a call into the compiler's
// support library on x86-64 without the POPCNT instruction (the baseline
// the program is built for), and the searches count bits in their inner
// loops; this stays a few inline instructions.
constexpr int bit_count(std::uint64_t word) {
  word -= (word >> 1) & 0x5555555555555555u;
  word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
  word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((word * 0x0101010101010101u) >> 56);
}

class CellSet {
 public:
  constexpr CellSet() = default;
  constexpr CellSet(std::uint64_t low, std::uint64_t high) : low_(low), high_(high & kHighMask) {}

  static constexpr CellSet of(int cell) {
    return cell < 64 ? CellSet(std::uint64_t{1} << cell, 0) : CellSet(0, std::uint64_t{1} << (cell - 64));
  }
  static constexpr CellSet all() { return {~std::uint64_t{0}, kHighMask}; }

  constexpr bool has(int cell) const {
    return cell < 64 ? (low_ >> cell & 1) != 0 : (high_ >> (cell - 64) & 1) != 0;
  }
  constexpr void add(int cell) { *this |= of(cell); }
  constexpr void remove(int cell) { *this = minus(of(cell)); }

  constexpr int size() const { return bit_count(low_) + bit_count(high_); }
  constexpr bool empty() const { return (low_ | high_) == 0; }
  // Two cells or more: size() >= 2 without counting.
  constexpr bool several() const {
    return ((low_ & (low_ - 1)) | (high_ & (high_ - 1))) != 0 || (low_ != 0 && high_ != 0);
  }
  // The lowest cell, or -1 for an empty set.
  constexpr int first() const {
    return low_ != 0 ? std::countr_zero(low_) : high_ != 0 ? 64 + std::countr_zero(high_) : -1;
  }
  constexpr bool intersects(CellSet other) const {
    return ((low_ & other.low_) | (high_ & other.high_)) != 0;
  }
  constexpr bool contains(CellSet other) const { return other.minus(*this).empty(); }
  constexpr CellSet minus(CellSet other) const { return {low_ & ~other.low_, high_ & ~other.high_}; }

  constexpr CellSet operator&(CellSet other) const { return {low_ & other.low_, high_ & other.high_}; }
  constexpr CellSet operator|(CellSet other) const { return {low_ | other.low_, high_ | other.high_}; }
  constexpr CellSet operator^(CellSet other) const { return {low_ ^ other.low_, high_ ^ other.high_}; }
  constexpr CellSet& operator&=(CellSet other) { return *this = *this & other; }
  constexpr CellSet& operator|=(CellSet other) { return *this = *this | other; }
  friend constexpr bool operator==(CellSet, CellSet) = default;

  constexpr std::uint64_t low() const { return low_; }
  constexpr std::uint64_t high() const { return high_; }

  // The cells in rising order: for (int cell : set).
  class Iterator {
   public:
    constexpr Iterator(std::uint64_t low, std::uint64_t high) : low_(low), high_(high) {}
    constexpr int operator*() const {
      return low_ != 0 ? std::countr_zero(low_) : 64 + std::countr_zero(high_);
    }
    constexpr Iterator& operator++() {
      if (low_ != 0) {
        low_ &= low_ - 1;
      } else {
        high_ &= high_ - 1;
      }
      return *this;
    }
    constexpr bool operator!=(const Iterator& other) const {
      return low_ != other.low_ || high_ != other.high_;
    }

   private:
    std::uint64_t low_;
    std::uint64_t high_;
  };
  constexpr Iterator begin() const { return {low_, high_}; }
  constexpr Iterator end() const { return {0, 0}; }

 private:
  static constexpr std::uint64_t kHighMask = (std::uint64_t{1} << 17) - 1;
  std::uint64_t low_ = 0;
  std::uint64_t high_ = 0;
};

}  // namespace quorlen::logic
