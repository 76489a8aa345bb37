// Chains of two to four strong links on one digit: in each link's house
// the digit is at one end or the other; consecutive links face each other
// across a house (the bridge), so at most one of two facing ends holds it.
// Then one of the two outer ends holds the digit, and a cell that sees
// both cannot.
//
// A link is a house where the digit has two to six places:
//   plain    two places (in a box, not both on one line: the line would
//            make the same link);
//   line     three or more places in two of the line's three box
//            segments, each segment an end;
//   box      three or more places inside a cross (one cell, the heart,
//            with the rest of its box row and box column) or, from four
//            places, inside two box rows or two box columns. Each half of
//            the template is an end. A half with one place, against one
//            with more, is an end by itself and the heart goes to the
//            other half, whether it holds the digit or not; otherwise a
//            heart that holds the digit belongs to both ends. Four places
//            on two box rows and two box columns make a link each way.
// Grouped ends (line and box links) rate higher.
//
// Of all chains of the length asked, the step is the lowest rated, then
// the one striking most, then the one with the lower kind code (grouped
// links counted, then the kinds of its houses); among equals the first
// found, digits rising, then the links in house order.
#include <algorithm>
#include <array>
#include <bit>

#include "logic/link_work.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

constexpr unsigned kBoxRow[3] = {0x007, 0x038, 0x1C0};
constexpr unsigned kBoxColumn[3] = {0x049, 0x092, 0x124};
constexpr unsigned kSegment[3] = {0x007, 0x038, 0x1C0};
constexpr int kPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};

using EndSet = CellSet;  // a set of link ends (2 * link + side) rather than cells

void add_link(DigitLinks& links, int house, LinkKind kind, CellSet a, CellSet b) {
  links.link[links.count++] = Link{{a, b}, a | b, house, kind};
}

void box_links(int box, unsigned places, DigitLinks& links) {
  const int n = bit_count(places);
  if (n == 2) {
    const int p = std::countr_zero(places);
    const int q = std::countr_zero(places & (places - 1));
    if (p / 3 == q / 3 || p % 3 == q % 3) return;
    add_link(links, box, LinkKind::plain, cells_at_places(box, 1u << p), cells_at_places(box, 1u << q));
    return;
  }
  for (int heart = 0; heart < 9; ++heart) {
    const unsigned row = kBoxRow[heart / 3], column = kBoxColumn[heart % 3], bit = 1u << heart;
    if ((places & ~(row | column)) != 0) continue;
    const unsigned row_wing = places & row & ~bit, column_wing = places & column & ~bit;
    if (row_wing == 0 || column_wing == 0) continue;
    const int rows = bit_count(row_wing), columns = bit_count(column_wing);
    unsigned a = row_wing, b = column_wing;
    if (rows == 1 && columns > 1) {
      b |= bit;
    } else if (columns == 1 && rows > 1) {
      a |= bit;
    } else {
      a |= places & bit;
      b |= places & bit;
    }
    add_link(links, box, LinkKind::box_cross, cells_at_places(box, a), cells_at_places(box, b));
    return;
  }
  if (n < 4) return;
  for (const unsigned* halves : {kBoxRow, kBoxColumn}) {
    for (const auto& pair : kPairs) {
      const unsigned a = places & halves[pair[0]], b = places & halves[pair[1]];
      if ((places & ~(halves[pair[0]] | halves[pair[1]])) != 0 || a == 0 || b == 0) continue;
      add_link(links, box, LinkKind::box_lines, cells_at_places(box, a), cells_at_places(box, b));
      break;
    }
  }
}

void line_links(int line, unsigned places, DigitLinks& links) {
  const int n = bit_count(places);
  if (n == 2) {
    add_link(links, line, LinkKind::plain, cells_at_places(line, places & (~places + 1)),
             cells_at_places(line, places & (places - 1)));
    return;
  }
  unsigned ends[3];
  int used = 0;
  for (const unsigned segment : kSegment) {
    if ((places & segment) != 0) ends[used++] = places & segment;
  }
  if (used == 2)
    add_link(links, line, LinkKind::line, cells_at_places(line, ends[0]), cells_at_places(line, ends[1]));
}

// The digit's links and their facing ends, built again only when the
// digit's positions changed.
const DigitLinks& links_of(const Grid& grid, int digit, LinkWork& work) {
  DigitLinks& links = work.digit[digit];
  if (links.built && links.positions == grid.positions(digit)) return links;
  links.built = true;
  links.positions = grid.positions(digit);
  links.count = 0;
  for (const int house : kScanOrder) {
    const unsigned places = grid.places(house, digit);
    const int n = bit_count(places);
    if (n < 2 || n > 6) continue;
    if (house_kind(house) == HouseKind::box) {
      box_links(house, places, links);
    } else {
      line_links(house, places, links);
    }
  }
  // Two ends face each other across a house they both lie in, a column
  // first, then a row, then a box.
  const int ends = 2 * links.count;
  for (int e = 0; e < ends; ++e) {
    const CellSet cells = links.link[e / 2].ends[e % 2];
    links.seen[e] = common_peers(cells) & grid.positions(digit);
    const int first = cells.first();
    const int houses[3] = {column_house(column_of(first)), row_house(row_of(first)),
                           box_house(box_of(first))};
    for (int k = 0; k < 3; ++k) links.within[e][k] = kHouseSet[houses[k]].contains(cells) ? houses[k] : -1;
  }
  // The ends lying in each house, as a set of end indexes (at most 80, so
  // an 81-bit set holds them); an end faces those that share one of its
  // houses, in rising order.
  std::array<EndSet, 27> in_house{};
  for (int e = 0; e < ends; ++e) {
    for (int k = 0; k < 3; ++k) {
      if (links.within[e][k] >= 0) in_house[links.within[e][k]].add(e);
    }
  }
  for (int a = 0; a < ends; ++a) {
    links.facing_count[a] = 0;
    EndSet near;
    for (int k = 0; k < 3; ++k) {
      if (links.within[a][k] >= 0) near |= in_house[links.within[a][k]];
    }
    for (const int b : near) {
      if (links.link[a / 2].cells.intersects(links.link[b / 2].cells)) continue;
      int k = 0;
      while (links.within[a][k] < 0 || !in_house[links.within[a][k]].has(b)) ++k;
      links.facing[a][links.facing_count[a]++] = {static_cast<std::int8_t>(b),
                                                  static_cast<std::int8_t>(links.within[a][k])};
    }
  }
  return links;
}

constexpr int kMaxChain = 4;
constexpr int kBaseRating[kMaxChain + 1] = {0, 0, 40, 54, 58};

struct LinkChain {
  int digit = 0;
  int length = 0;
  std::array<Link, kMaxChain> links;         // in chain order, each turned so that ends[0] faces back
  std::array<int, kMaxChain - 1> bridges{};  // the house between links i and i + 1
  bool loop = false;
  CellSet struck;
  int rating = 0;
  int code = 0;  // grouped links, then the kinds of the links' houses, as decimal digits
};

int rating_of(const LinkChain& chain) {
  bool grouped = false, box = false, row = false, column = false;
  for (int i = 0; i < chain.length; ++i) {
    grouped |= chain.links[i].grouped();
    const HouseKind kind = house_kind(chain.links[i].house);
    box |= kind == HouseKind::box;
    row |= kind == HouseKind::row;
    column |= kind == HouseKind::column;
  }
  int bonus = 0;
  if (grouped) {
    bonus = 3;
  } else if (box || (row && column)) {
    bonus = box && row && column ? 2 : 1;
  }
  return kBaseRating[chain.length] + bonus;
}

// Two chains with the same kinds of houses, rows and columns swapped, get
// the same code.
int code_of(const LinkChain& chain) {
  int grouped = 0;
  std::array<int, kMaxChain> kinds{};
  for (int i = 0; i < chain.length; ++i) {
    grouped += chain.links[i].grouped();
    kinds[i] = static_cast<int>(house_kind(chain.links[i].house));
  }
  const auto code = [&](bool swap) {
    std::array<int, 4> k = kinds;
    for (int i = 0; i < chain.length; ++i) {
      if (swap && k[i] != 0) k[i] = 3 - k[i];
    }
    for (int i = 1; i < chain.length; ++i) {
      for (int j = i; j > 0 && k[j - 1] > k[j]; --j) std::swap(k[j - 1], k[j]);
    }
    int value = grouped;
    for (int i = 0; i < chain.length; ++i) value = value * 10 + k[i];
    return value;
  };
  return std::min(code(false), code(true));
}

bool better(const LinkChain& a, const LinkChain& b) {
  if (a.rating != b.rating) return a.rating < b.rating;
  const int sa = a.struck.size(), sb = b.struck.size();
  if (sa != sb) return sa > sb;
  return a.code < b.code;
}

// One search per call, over the digits in turn.
struct Search {
  const Grid& grid;
  LinkWork& work;
  int digit = 0;
  int length;
  const DigitLinks* tables = nullptr;
  // The chain being built: link indexes, the side of each facing back, and
  // the houses between them.
  std::array<int, kMaxChain> order{};
  std::array<int, kMaxChain> sides{};
  std::array<int, kMaxChain - 1> bridges{};
  LinkChain current;
  LinkChain& best;
  bool found = false;

  Search(const Grid& g, LinkWork& w, int n, LinkChain& b) : grid(g), work(w), length(n), best(b) {}

  void run() {
    tables = &links_of(grid, digit, work);
    if (tables->count < length) return;
    for (int l = 0; l < tables->count; ++l) {
      for (int side = 0; side < 2; ++side) {
        place(0, l, side);
        extend(1, 2 * l + 1 - side, tables->link[l].cells);
      }
    }
  }

  // Puts link l at place i of the chain, its end `side` facing back.
  void place(int i, int l, int side) {
    order[i] = l;
    sides[i] = side;
  }

  void extend(int i, int out_end, CellSet used) {
    if (i == length || i == kMaxChain) {
      if (order[0] < order[length - 1]) judge(out_end);
      return;
    }
    const DigitLinks& links = *tables;
    for (int k = 0; k < links.facing_count[out_end]; ++k) {
      const LinkFacing next = links.facing[out_end][k];
      const int l = next.end / 2, side = next.end % 2;
      if (links.link[l].cells.intersects(used)) continue;
      place(i, l, side);
      bridges[i - 1] = next.house;
      extend(i + 1, 2 * l + 1 - side, used | links.link[l].cells);
    }
  }

  void judge(int last) {
    const DigitLinks& links = *tables;
    const auto& seen = links.seen;
    const auto& within = links.within;
    const int first = 2 * order[0] + sides[0];
    CellSet struck = seen[first] & seen[last];
    bool loop = false;
    for (int k = 0; k < 3; ++k) loop |= within[first][k] >= 0 && within[first][k] == within[last][k];
    if (loop) {
      for (int i = 0; i + 1 < length; ++i) {
        struck |= seen[2 * order[i] + 1 - sides[i]] & seen[2 * order[i + 1] + sides[i + 1]];
      }
    } else {
      if (struck.empty()) return;
      for (int i = 0; i + 1 < length; ++i) struck = struck.minus(kHouseSet[bridges[i]]);
    }
    for (int i = 0; i < length; ++i) struck = struck.minus(kHouseSet[links.link[order[i]].house]);
    if (struck.empty()) return;
    current.digit = digit;
    current.length = length;
    current.loop = loop;
    current.struck = struck;
    for (int i = 0; i < length; ++i) {
      const Link& link = links.link[order[i]];
      current.links[i] =
          Link{{link.ends[sides[i]], link.ends[1 - sides[i]]}, link.cells, link.house, link.kind};
      if (i + 1 < length) current.bridges[i] = bridges[i];
    }
    current.rating = rating_of(current);
    current.code = code_of(current);
    if (!found || better(current, best)) {
      best = current;
      found = true;
    }
  }
};

Technique technique_of(const LinkChain& chain) {
  bool grouped = false;
  for (int i = 0; i < chain.length; ++i) grouped |= chain.links[i].grouped();
  if (chain.length == 3) return grouped ? Technique::grouped_three_links : Technique::three_links;
  if (chain.length == 4) return grouped ? Technique::grouped_four_links : Technique::four_links;
  const Link& a = chain.links[0];
  const Link& b = chain.links[1];
  const HouseKind ka = house_kind(a.house), kb = house_kind(b.house);
  if (grouped) {
    const bool rectangle =
        (a.kind == LinkKind::box_cross && b.kind == LinkKind::plain && kb != HouseKind::box) ||
        (b.kind == LinkKind::box_cross && a.kind == LinkKind::plain && ka != HouseKind::box);
    return rectangle ? Technique::empty_rectangle : Technique::grouped_two_links;
  }
  if (ka == HouseKind::box || kb == HouseKind::box) return Technique::turbot_fish;
  return ka == kb ? Technique::skyscraper : Technique::two_string_kite;
}

}  // namespace

bool find_strong_links(const Grid& grid, Step& step, Workspace& work, int links) {
  // Each digit's search offers its chains to the best of all digits so
  // far; a later digit's chain replaces it only when strictly better.
  LinkChain best;
  Search search(grid, work.links(), links, best);
  for (int digit = 1; digit <= 9; ++digit) {
    search.digit = digit;
    search.run();
  }
  if (!search.found) return false;

  begin_step(step, technique_of(best), best.rating);
  step.size = static_cast<std::uint8_t>(best.length);
  step.kind = best.loop ? 1 : 0;
  add_candidates(step.eliminations, grid, best.struck, digit_bit(best.digit));
  Chain nodes;
  for (int i = 0; i < best.length; ++i) {
    const Link& link = best.links[i];
    add_candidates(step.pattern, grid, link.cells, digit_bit(best.digit));
    step.cells |= link.cells;
    add_houses(step, {link.house});
    // The chain reads: the first end off, so the second on; the next
    // link's first end, seen by it, off; and so on.
    for (int side = 0; side < 2; ++side) {
      for (const int cell : link.ends[side]) nodes.push_back({candidate(cell, best.digit), side == 1});
    }
  }
  for (int i = 0; i + 1 < best.length; ++i) add_houses(step, {best.bridges[i]});
  step.chains.push_back(std::move(nodes));
  set_digits(step, digit_bit(best.digit));
  finish_step(step);
  return true;
}

}  // namespace quorlen::logic
