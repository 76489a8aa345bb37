// The strong-link search's tables, kept in the Workspace from call to
// call: a digit's links, and which of their ends face each other, depend
// only on where the digit can go, so they are built again only when that
// changes. The searches for two, three and four links, asked one after the
// other on one grid, build them once; a step that touches a few digits
// leaves the others' tables standing.
#pragma once

#include <array>
#include <cstdint>

#include "logic/cell_set.h"

namespace quorlen::logic {

enum class LinkKind : std::uint8_t { plain, line, box_cross, box_lines };

// One strong link: in its house the digit is in one end or the other.
struct Link {
  std::array<CellSet, 2> ends;
  CellSet cells;  // both ends
  int house = 0;
  LinkKind kind = LinkKind::plain;
  bool grouped() const { return kind != LinkKind::plain; }
};

inline constexpr int kMaxLinks = 40;  // 27 houses, and a box can give two

// A link end faces another across a bridge house (see strong_links.cpp).
struct LinkFacing {
  std::int8_t end;  // 2 * link + side
  std::int8_t house;
};

struct DigitLinks {
  bool built = false;
  CellSet positions;  // where the digit could go when these were built
  int count = 0;
  std::array<Link, kMaxLinks> link;
  // By end (2 * link + side): the column, row and box it lies in, -1 where
  // it spreads over more than one; the cells holding the digit that see
  // all of it; the ends it faces, rising.
  std::array<std::array<int, 3>, 2 * kMaxLinks> within;
  std::array<CellSet, 2 * kMaxLinks> seen;
  std::array<std::array<LinkFacing, 2 * kMaxLinks>, 2 * kMaxLinks> facing;
  std::array<std::uint8_t, 2 * kMaxLinks> facing_count;
};

struct LinkWork {
  std::array<DigitLinks, 10> digit;  // [0] unused
};

}  // namespace quorlen::logic
