// The links of a chain: a candidate that is true ("on") or false ("off").
//
// A node is a number, 0..1457, so that a search keeps what it knows of
// nodes in flat arrays:
//
//   node = (cell * 9 + digit - 1) * 2 + on      opposite(node) = node ^ 1
//
// Two nodes are the same when cell, digit and state are; a search derives a
// node once and keeps the reasons (parents) of that first derivation.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace quorlen::logic {

inline constexpr int kNodeCount = 1458;
inline constexpr int kCandidateCount = 729;

constexpr int node_id(int cell, int digit, bool on) { return (cell * 9 + digit - 1) * 2 + (on ? 1 : 0); }
constexpr int node_cell(int node) { return node / 18; }
constexpr int node_digit(int node) { return node / 2 % 9 + 1; }
constexpr bool node_on(int node) { return (node & 1) != 0; }
constexpr int opposite(int node) { return node ^ 1; }
// The candidate (cell * 9 + digit - 1) a node is about.
constexpr int node_candidate(int node) { return node >> 1; }

// The bit counts the propagation asks for every node, cheaper still than
// bit_count (cell_set.h).
constexpr bool two_bits(unsigned mask) {
  const unsigned rest = mask & (mask - 1);
  return rest != 0 && (rest & (rest - 1)) == 0;
}
constexpr bool several_bits(unsigned mask) { return (mask & (mask - 1)) != 0; }

// Nodes marked in one round of a search, all unmarked at once by starting
// the next round.
class NodeMarks {
 public:
  void next() {
    if (++round_ == 0) {
      marks_.fill(0);
      round_ = 1;
    }
  }
  bool has(int node) const { return marks_[static_cast<std::size_t>(node)] == round_; }
  void mark(int node) { marks_[static_cast<std::size_t>(node)] = round_; }

 private:
  std::array<std::uint32_t, kNodeCount> marks_{};
  std::uint32_t round_ = 1;
};

// Why a node holds: the rule that derived it from its first parent.
enum class Cause : std::uint8_t {
  start,  // the assumption a search starts from
  cell,   // the cell's other candidate or candidates (the "Y" rule)
  box,    // the digit's other place or places in a house (the "X" rule)
  row,
  column,
  rule,    // a simpler technique on the grid reduced so far (dynamic chains with "+")
  nested,  // a whole chain search on that grid (nested chains)
};

// The cause of the X rule in a house.
constexpr Cause house_cause(int house) {
  return house < 9 ? Cause::box : house < 18 ? Cause::row : Cause::column;
}

}  // namespace quorlen::logic
