#include "ui/step_texts.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <utility>
#include <vector>

namespace quorlen {
namespace {

using logic::Candidate;
using logic::CellSet;
using logic::Chain;
using logic::ChainNode;
using logic::Grid;
using logic::HouseKind;
using logic::Step;
using logic::Technique;

// A chain of more nodes than this is summarised in a step's sentence.
constexpr std::size_t kShownNodes = 7;

constexpr std::array<const char*, 9> kBoxPlaces = {"top-left",    "top-middle",    "top-right",
                                                   "middle-left", "middle",        "middle-right",
                                                   "bottom-left", "bottom-middle", "bottom-right"};

std::string digit_text(int digit) { return std::string(1, static_cast<char>('0' + digit)); }

std::string number_word(int n) {
  static constexpr std::array<const char*, 10> kWords = {"zero", "one", "two",   "three", "four",
                                                         "five", "six", "seven", "eight", "nine"};
  return n >= 0 && n < 10 ? kWords[static_cast<std::size_t>(n)] : std::to_string(n);
}

// "a", "a and b", "a, b and c" (or "or").
std::string listed(const std::vector<std::string>& items, const char* last = "and") {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += i + 1 == items.size() ? std::string(" ") + last + " " : ", ";
    out += items[i];
  }
  return out;
}

std::vector<std::string> cell_names(CellSet cells) {
  std::vector<std::string> names;
  for (const int cell : cells) names.push_back(rc_name(cell));
  return names;
}

std::string cells_text(CellSet cells, const char* last = "and") { return listed(cell_names(cells), last); }

unsigned mask_of(const std::vector<std::uint8_t>& digits) {
  unsigned mask = 0;
  for (const int digit : digits) mask |= 1u << digit;
  return mask;
}

// "3", "3 and 7", "3, 7 and 9" for a mask of digits (bit d for digit d).
std::string digits_text(unsigned mask, const char* last = "and") {
  std::vector<std::string> digits;
  for (; mask != 0; mask &= mask - 1) digits.push_back(digit_text(std::countr_zero(mask)));
  return listed(digits, last);
}

// A cell with what it may still be: "r1c1 (3 or 7)".
std::string with_candidates(const Grid& grid, int cell) {
  return rc_name(cell) + " (" + digits_text(grid.candidates(cell), "or") + ")";
}

// Houses as a sentence names them, lines of a kind together: "the top-left
// box and row 2", "columns 2 and 7 and rows 3 and 8".
std::string houses_text(const std::vector<std::uint8_t>& houses) {
  std::vector<std::string> groups;
  std::array<std::vector<std::string>, 3> lines;  // rows and columns, by HouseKind
  std::array<int, 3> group_of = {-1, -1, -1};
  std::vector<int> seen;
  for (const int house : houses) {
    if (std::find(seen.begin(), seen.end(), house) != seen.end()) continue;
    seen.push_back(house);
    const auto kind = static_cast<std::size_t>(logic::house_kind(house));
    if (logic::house_kind(house) == HouseKind::box) {
      groups.push_back(house_phrase(house));
      continue;
    }
    if (group_of[kind] < 0) {
      group_of[kind] = static_cast<int>(groups.size());
      groups.emplace_back();
    }
    lines[kind].push_back(std::to_string(house % 9 + 1));
  }
  for (auto& numbers : lines) std::sort(numbers.begin(), numbers.end());
  for (std::size_t kind = 1; kind < 3; ++kind) {
    if (group_of[kind] < 0) continue;
    const char* noun = kind == static_cast<std::size_t>(HouseKind::row) ? "row" : "column";
    groups[static_cast<std::size_t>(group_of[kind])] =
        std::string(noun) + (lines[kind].size() > 1 ? "s " : " ") + listed(lines[kind]);
  }
  return listed(groups);
}

CellSet pattern_cells(const Step& step) {
  CellSet cells;
  for (const Candidate c : step.pattern) cells.add(c.cell);
  return cells;
}

// The digits of the pattern in one cell.
unsigned pattern_digits(const Step& step, int cell) {
  unsigned mask = 0;
  for (const Candidate c : step.pattern) {
    if (c.cell == cell) mask |= 1u << c.digit;
  }
  return mask;
}

CellSet elimination_cells(const Step& step) {
  CellSet cells;
  for (const Candidate c : step.eliminations) cells.add(c.cell);
  return cells;
}

unsigned elimination_digits(const Step& step) {
  unsigned mask = 0;
  for (const Candidate c : step.eliminations) mask |= 1u << c.digit;
  return mask;
}

// Cells grouped by a mask of digits they share, in the order first met.
using MaskGroups = std::vector<std::pair<unsigned, CellSet>>;

void add_to_group(MaskGroups& groups, unsigned mask, int cell) {
  auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == mask; });
  if (group == groups.end()) {
    groups.emplace_back(mask, CellSet::of(cell));
  } else {
    group->second.add(cell);
  }
}

// What the step concludes: "r5c3 is 4", "r1c2 and r1c9 cannot be 3, and
// r2c6 cannot be 5 or 7" (cells that lose the same digits together).
std::string conclusion(const Step& step) {
  std::vector<std::string> parts;
  for (const Candidate c : step.placements) parts.push_back(rc_name(c.cell) + " is " + digit_text(c.digit));
  MaskGroups groups;  // digits struck, and the cells that lose them
  for (const int cell : elimination_cells(step)) {
    unsigned mask = 0;
    for (const Candidate c : step.eliminations) {
      if (c.cell == cell) mask |= 1u << c.digit;
    }
    add_to_group(groups, mask, cell);
  }
  for (const auto& [mask, cells] : groups)
    parts.push_back(cells_text(cells) + " cannot be " + digits_text(mask, "or"));
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += parts.size() == 2 || i + 1 == parts.size() ? ", and " : ", ";
    out += parts[i];
  }
  return out;
}

std::string node_text(const ChainNode& node) {
  return rc_name(node.candidate.cell) + (node.on ? " is " : " is not ") + digit_text(node.candidate.digit);
}

// What follows from a chain's assumption: "B, so C"; summarised, a long
// chain gives its last node and the number of links, "C (9 links)".
std::string consequences(const Chain& chain, bool summarise) {
  if (summarise && chain.size() > kShownNodes)
    return node_text(chain.back()) + " (" + std::to_string(chain.size() - 1) + " links)";
  std::string out;
  for (std::size_t i = 1; i < chain.size(); ++i) out += (i == 1 ? "" : ", so ") + node_text(chain[i]);
  return out;
}

// A chain from its assumption: "if A, then B, so C".
std::string chain_phrase(const Chain& chain, bool summarise) {
  if (chain.empty()) return {};
  const std::string start = "if " + node_text(chain.front());
  return chain.size() == 1 ? start : start + ", then " + consequences(chain, summarise);
}

// The branches of a step, each from its own assumption, "; " between.
std::string branches_text(const Step& step) {
  std::vector<std::string> branches;
  for (const Chain& chain : step.chains) branches.push_back(chain_phrase(chain, true));
  std::string out;
  for (const std::string& branch : branches) out += (out.empty() ? "" : "; ") + branch;
  return out;
}

std::string named(const Step& step, const std::string& text) {
  return logic::step_name(step) + ": " + text + ".";
}

// --- Singles, intersections, sets and fish -------------------------------

std::string single_sentence(const Step& step) {
  const Candidate placed = step.placements.at(0);
  const std::string cell = rc_name(placed.cell), digit = digit_text(placed.digit);
  switch (step.technique) {
    case Technique::full_house:
      return named(step, cell + " is the last empty cell of " + house_phrase(step.houses.at(0)) +
                             ", so it is " + digit);
    case Technique::hidden_single:
      return named(step, "in " + house_phrase(step.houses.at(0)) + ", " + digit + " fits only in " + cell);
    default:
      return named(step, digit + " is the only candidate left in " + cell);
  }
}

// Pointing and claiming: houses are the first house, the crossing one and,
// for the direct kind, the house where a single is left.
std::string intersection_sentence(const Step& step) {
  const std::string digit = digit_text(step.digits.at(0));
  std::string text = "in " + house_phrase(step.houses.at(0)) + ", " + digit + " fits only in " +
                     cells_text(pattern_cells(step)) + ", which lie in " + house_phrase(step.houses.at(1));
  if (step.placements.empty()) return named(step, text + ", so " + conclusion(step));
  return named(step, text + "; that leaves " + digit + " one place in " + house_phrase(step.houses.at(2)) +
                         ", so " + conclusion(step));
}

std::string set_sentence(const Step& step) {
  const unsigned digits = mask_of(step.digits);
  const std::string house = house_phrase(step.houses.at(0));
  const CellSet cells = pattern_cells(step);
  switch (step.technique) {
    case Technique::naked_pair:
    case Technique::naked_triplet:
    case Technique::naked_quad:
      return named(step, "in " + house + ", " + cells_text(cells) + " hold only " + digits_text(digits) +
                             " between them, so " + conclusion(step));
    case Technique::direct_hidden_pair:
    case Technique::direct_hidden_triplet: {
      const Candidate placed = step.placements.at(0);
      return named(step, "in " + house + ", " + digits_text(digits) + " fit only in " + cells_text(cells) +
                             ", so those cells hold nothing else; that leaves " + digit_text(placed.digit) +
                             " one place in " + house + ", so " + conclusion(step));
    }
    default:
      return named(step, "in " + house + ", " + digits_text(digits) + " fit only in " + cells_text(cells) +
                             ", so " + conclusion(step));
  }
}

std::string fish_sentence(const Step& step) {
  const auto size = static_cast<std::ptrdiff_t>(step.size);
  const std::vector<std::uint8_t> base(step.houses.begin(), step.houses.begin() + size);
  const std::vector<std::uint8_t> cover(step.houses.begin() + size, step.houses.end());
  return named(step, "in " + houses_text(base) + ", " + digit_text(step.digits.at(0)) + " fits only in " +
                         cells_text(pattern_cells(step)) + ", all in " + houses_text(cover) + ", so " +
                         conclusion(step));
}

// --- Strong links -----------------------------------------------------------

// A chain of strong links reads end by end: the nodes of one end (a cell,
// or a group of cells) are consecutive and share their state.
struct End {
  bool on = false;
  CellSet cells;
};

std::vector<End> ends_of(const Chain& chain) {
  std::vector<End> ends;
  for (const ChainNode& node : chain) {
    if (ends.empty() || ends.back().on != node.on) ends.push_back({node.on, {}});
    ends.back().cells.add(node.candidate.cell);
  }
  return ends;
}

std::string end_text(const End& end, const std::string& digit) {
  if (!end.cells.several()) return rc_name(end.cells.first()) + (end.on ? " is " : " is not ") + digit;
  if (end.on) return digit + " is in " + cells_text(end.cells, "or");
  if (end.cells.size() == 2) return "neither " + cells_text(end.cells, "nor") + " is " + digit;
  return "none of " + cells_text(end.cells) + " is " + digit;
}

std::string strong_links_sentence(const Step& step) {
  const std::string digit = digit_text(step.digits.at(0));
  const std::vector<End> ends = ends_of(step.chains.at(0));
  std::string text;
  for (std::size_t i = 0; i < ends.size(); ++i) {
    text += (i == 0 ? "if " : i == 1 ? ", then " : ", so ") + end_text(ends[i], digit);
  }
  text += "; so " + digit + " lies in " + cells_text(ends.front().cells | ends.back().cells, "or");
  if (step.kind == 1) text += "; as those ends see each other too, the chain closes into a loop";
  return logic::step_name(step) + " on " + digit + ": " + text + ", and " + conclusion(step) + ".";
}

// --- Wings ------------------------------------------------------------------

std::string xy_wing_sentence(const Step& step, const Grid& grid) {
  const int z = step.eliminations.at(0).digit;
  const bool xyz = step.technique == Technique::xyz_wing;
  int pivot = -1;
  CellSet wings;
  for (const int cell : pattern_cells(step)) {
    const unsigned held = grid.candidates(cell);
    const bool is_pivot = xyz ? std::popcount(held) == 3 : (held >> z & 1) == 0;
    if (is_pivot && pivot < 0) {
      pivot = cell;
    } else {
      wings.add(cell);
    }
  }
  if (pivot < 0) pivot = wings.first();
  wings.remove(pivot);
  return named(step, with_candidates(grid, pivot) + " sees " + with_candidates(grid, wings.first()) +
                         " and " + with_candidates(grid, wings.minus(CellSet::of(wings.first())).first()) +
                         "; whichever " + rc_name(pivot) + " is, " +
                         (xyz ? "one of the three" : cells_text(wings, "or")) + " is " + digit_text(z) +
                         ", so " + conclusion(step));
}

// WXYZ- to TUVWXYZ-Wing: a set of cells in one house holding one digit more
// than cells, and a bivalue cell Y outside it (as a rule) that sees every
// cell of the set holding one of its digits.
std::string set_wing_sentence(const Step& step, const Grid& grid) {
  const int house = step.houses.at(0);
  const CellSet cells = pattern_cells(step);
  const unsigned digits = mask_of(step.digits);
  int y = -1;
  for (const bool outside : {true, false}) {
    for (const int cell : cells) {
      if (y >= 0 || logic::kHouseSet[house].has(cell) == outside) continue;
      const unsigned held = grid.candidates(cell);
      unsigned others = 0;
      for (const int other : cells.minus(CellSet::of(cell))) others |= grid.candidates(other);
      if (std::popcount(held) == 2 && (held & ~others) == 0 && others == digits) y = cell;
    }
  }
  if (y < 0) y = cells.first();
  const CellSet set = cells.minus(CellSet::of(y));
  const unsigned pair = grid.candidates(y);
  std::string text = cells_text(set) + " in " + house_phrase(house) + " hold only " + digits_text(digits) +
                     " between them, and " + with_candidates(grid, y) + " sees each of them that holds ";
  if (step.kind == 2) {
    return named(step, text + digits_text(pair, "or") + "; so the " + number_word(cells.size()) +
                           " cells take " + digits_text(digits) + " one each: " + conclusion(step));
  }
  const int z = step.eliminations.at(0).digit;
  const int x = std::countr_zero(pair & ~(1u << z));
  CellSet holding = CellSet::of(y);
  for (const int cell : set) {
    if (grid.has(cell, z)) holding.add(cell);
  }
  return named(step, text + digit_text(x) + "; so " + digit_text(z) + " lies in " +
                         cells_text(holding, "or") + ", and " + conclusion(step));
}

// --- Uniqueness ---------------------------------------------------------------

// What the uniqueness techniques rule out.
std::string swap_phrase(unsigned pair) {
  return digits_text(pair) + " could swap between them, giving the puzzle two solutions";
}

// Whether every house that holds a cell of `cells` holds two.
bool closed_loop(CellSet cells) {
  for (int house = 0; house < 27; ++house) {
    const int n = (cells & logic::kHouseSet[house]).size();
    if (n != 0 && n != 2) return false;
  }
  return true;
}

std::string naked_or_hidden(int size, bool hidden) {
  static constexpr std::array<const char*, 5> kSizes = {"", "single", "pair", "triplet", "quad"};
  const std::string kind = hidden ? "hidden " : "naked ";
  if (size < static_cast<int>(kSizes.size())) return "a " + kind + kSizes[static_cast<std::size_t>(size)];
  return "a " + kind + "set of " + std::to_string(size) + " digits";
}

std::string unique_loop_sentence(const Step& step, const Grid& grid) {
  const CellSet pattern = pattern_cells(step);
  CellSet loop = pattern;
  unsigned pair = mask_of(step.digits);
  CellSet extra = elimination_cells(step);
  CellSet set;  // type 3: the other cells of the set
  switch (step.kind) {
    case 2:
      pair &= ~elimination_digits(step);
      extra = CellSet();
      for (const int cell : loop) {
        if ((grid.candidates(cell) & ~pair) != 0) extra.add(cell);
      }
      break;
    case 3: {
      // The loop's cells outside the set's house hold only its two digits;
      // its two cells inside are the pair that closes the loop.
      const CellSet in_house = pattern & logic::kHouseSet[step.houses.at(0)];
      const CellSet outside = pattern.minus(in_house);
      pair = grid.candidates(outside.first());
      extra = CellSet();
      for (const int a : in_house) {
        for (const int b : in_house) {
          const CellSet two = CellSet::of(a) | CellSet::of(b);
          if (b <= a || !extra.empty() || (grid.candidates(a) & pair) != pair ||
              (grid.candidates(b) & pair) != pair || !closed_loop(outside | two))
            continue;
          extra = two;
        }
      }
      loop = outside | extra;
      set = in_house.minus(extra);
      break;
    }
    default:
      break;
  }
  const std::string cells = cells_text(loop) + " hold " + digits_text(pair);
  const std::string house = step.houses.empty() ? std::string() : house_phrase(step.houses[0]);
  const std::string were_both =
      "; were " + cells_text(extra) + " both " + digits_text(pair, "or") + ", " + swap_phrase(pair);
  switch (step.kind) {
    case 1:
      return named(step, cells_text(loop.minus(extra)) + " hold only " + digits_text(pair) + "; were " +
                             rc_name(extra.first()) + " " + digits_text(pair, "or") + " too, " +
                             swap_phrase(pair) + "; so " + conclusion(step));
    case 2: {
      const std::string z = digits_text(elimination_digits(step));
      return named(step, cells + "; unless " + cells_text(extra, "or") + " is " + z + ", " +
                             swap_phrase(pair) + "; so " + z + " lies in " + cells_text(extra, "or") +
                             ", and " + conclusion(step));
    }
    case 3: {
      unsigned extras = 0;
      for (const int cell : extra) extras |= grid.candidates(cell) & ~pair;
      unsigned set_digits = 0;
      for (const int cell : set) set_digits |= pattern_digits(step, cell);
      if (!elimination_cells(step).intersects(set)) {
        set_digits |= extras;
        return named(step, cells + were_both + ", so one of them takes another digit: in " + house +
                               " they act as one cell holding " + digits_text(extras, "or") +
                               ", which with " + cells_text(set) + " makes " +
                               naked_or_hidden(std::popcount(set_digits), false) + " of " +
                               digits_text(set_digits) + ", so " + conclusion(step));
      }
      set_digits |= pair;
      return named(step, cells + were_both + ", so only one of them can take " + digits_text(pair, "or") +
                             ", and in " + house + " " + digits_text(set_digits) + " must go in it and " +
                             cells_text(set) + ", " + naked_or_hidden(std::popcount(set_digits), true) +
                             ", so " + conclusion(step));
    }
    default: {
      const unsigned struck = elimination_digits(step);
      const std::string kept = digits_text(pair & ~struck);
      return named(step, cells + "; in " + house + ", " + kept + " fits only in " + cells_text(extra) +
                             ", so one of them is " + kept + "; were the other " + digits_text(struck) +
                             ", " + swap_phrase(pair) + "; so " + conclusion(step));
    }
  }
}

// The BUG's cells are those whose pattern shows only some of their
// candidates (its digits); a type 3's set cells show all theirs.
std::string bug_sentence(const Step& step, const Grid& grid) {
  CellSet bug;
  for (const int cell : pattern_cells(step)) {
    if (pattern_digits(step, cell) != grid.candidates(cell) || step.kind != 3) bug.add(cell);
  }
  if (step.kind == 4) bug = elimination_cells(step);
  // The BUG digits, by cell; for type 4 the pattern adds the digit the two
  // cells share, which has only them in the house.
  std::array<unsigned, 81> own{};
  unsigned shared = 0;
  for (const int cell : bug) own[static_cast<std::size_t>(cell)] = pattern_digits(step, cell);
  if (step.kind == 4) {
    const int a = bug.first(), b = bug.minus(CellSet::of(a)).first();
    const unsigned both = own[static_cast<std::size_t>(a)] & own[static_cast<std::size_t>(b)];
    for (unsigned rest = both; rest != 0 && shared == 0; rest &= rest - 1) {
      const int digit = std::countr_zero(rest);
      if ((grid.positions(digit) & logic::kHouseSet[step.houses.at(0)]) == bug) shared = 1u << digit;
    }
    if (shared == 0) shared = both & (0u - both);
    own[static_cast<std::size_t>(a)] &= ~shared;
    own[static_cast<std::size_t>(b)] &= ~shared;
  }
  MaskGroups groups;  // BUG digits, and the cells with them
  for (const int cell : bug) {
    const unsigned mask = own[static_cast<std::size_t>(cell)];
    add_to_group(groups, mask, cell);
  }
  std::vector<std::string> extras;
  for (const auto& [mask, cells] : groups) extras.push_back(digits_text(mask) + " in " + cells_text(cells));
  // Groups that hold an "and" of their own are set apart by commas.
  std::string joined = listed(extras);
  if (extras.size() > 1 && joined.find(" and ") != joined.rfind(" and ")) {
    joined.clear();
    for (std::size_t i = 0; i < extras.size(); ++i) joined += (i == 0 ? "" : ", ") + extras[i];
    joined.insert(joined.rfind(", ") + 2, "and ");
  }
  const std::string but_for =
      "but for " + joined +
      ", every empty cell would hold two candidates and every digit two places in each "
      "house it is missing from, a pattern with two solutions; ";
  unsigned all = 0;
  for (const int cell : bug) all |= own[static_cast<std::size_t>(cell)];
  switch (step.kind) {
    case 1:
      return named(step, but_for + "so " + conclusion(step));
    case 2:
      return named(step, but_for + "so " + digits_text(all) + " lies in " + cells_text(bug, "or") + ", and " +
                             conclusion(step));
    case 3: {
      const CellSet set = pattern_cells(step).minus(bug);
      unsigned set_digits = all;
      for (const int cell : set) set_digits |= pattern_digits(step, cell);
      return named(step, but_for + "so in " + house_phrase(step.houses.at(0)) + " " + cells_text(bug) +
                             " act as one cell holding " + digits_text(all, "or") + ", which with " +
                             cells_text(set) + " makes " + naked_or_hidden(std::popcount(set_digits), false) +
                             " of " + digits_text(set_digits) + ", so " + conclusion(step));
    }
    default:
      return named(step, but_for + "so one of " + cells_text(bug) + " takes its extra digit, and " +
                             digits_text(shared) + " fits only in them in " +
                             house_phrase(step.houses.at(0)) + ", so the other is " + digits_text(shared) +
                             ": " + conclusion(step));
  }
}

// --- Aligned exclusion ------------------------------------------------------

std::string exclusion_sentence(const Step& step, const Grid& grid) {
  // The base cells: those that lose candidates, and as many more as the
  // step's size, such that every other cell of the pattern sees them all.
  const CellSet cells = pattern_cells(step);
  const CellSet struck = elimination_cells(step);
  CellSet base;
  std::vector<int> list;
  for (const int cell : cells) list.push_back(cell);
  const auto fits = [&](CellSet bases) {
    if (bases.size() != step.size || !bases.contains(struck)) return false;
    for (const int cell : cells.minus(bases)) {
      if (!logic::kPeers[cell].contains(bases)) return false;
    }
    return true;
  };
  for (std::size_t i = 0; i < list.size() && base.empty(); ++i) {
    for (std::size_t j = i + 1; j < list.size() && base.empty(); ++j) {
      const CellSet two = CellSet::of(list[i]) | CellSet::of(list[j]);
      if (step.size == 2 && fits(two)) base = two;
      for (std::size_t k = j + 1; step.size == 3 && k < list.size() && base.empty(); ++k) {
        if (fits(two | CellSet::of(list[k]))) base = two | CellSet::of(list[k]);
      }
    }
  }
  if (base.empty()) base = struck;
  std::vector<std::string> excluders;
  for (const int cell : cells.minus(base)) excluders.push_back(with_candidates(grid, cell));
  bool sharing = false;
  for (const int a : base) sharing |= logic::kPeers[a].intersects(base);
  std::vector<std::string> values;
  for (const Candidate c : step.eliminations)
    values.push_back(digit_text(c.digit) + " in " + rc_name(c.cell));
  return named(step,
               cells_text(base) + " see " + listed(excluders) + ", and together may " +
                   (sharing ? "neither take every candidate of such a cell nor repeat a digit in a house "
                              "they share"
                            : "not take every candidate of such a cell") +
                   "; no values they can take so put " + listed(values, "or") + ", so " + conclusion(step));
}

// --- Chains -------------------------------------------------------------------

std::string cycle_sentence(const Step& step) {
  const Chain& chain = step.chains.at(0);
  std::string text;
  if (chain.size() > kShownNodes) {
    text = "if " + node_text(chain.front()) + ", a loop of " + std::to_string(chain.size() - 1) +
           " links leads back to it";
  } else {
    text = chain_phrase(chain, false) + " again";
  }
  return named(step, text + "; the loop holds whichever way round it runs, so " + conclusion(step));
}

// Whether every chain of a step starts from one of the assumptions its
// kind makes (a candidate and its absence, each candidate of a cell, each
// place of a digit in a house). Inside nested chains a node that an inner
// search found may begin a chain instead.
bool starts_assumed(const Step& step, const Grid& grid) {
  const ChainNode front = step.chains.at(0).front();
  const bool placed = !step.placements.empty();
  const Candidate concluded = placed ? step.placements.at(0) : step.eliminations.at(0);
  CellSet starts;
  for (const Chain& chain : step.chains) {
    const ChainNode n = chain.front();
    switch (step.technique) {
      case Technique::nishio:
      case Technique::dynamic_contradiction:
        if (n.candidate != concluded || n.on == placed) return false;
        break;
      case Technique::dynamic_double:
        if (n.candidate != front.candidate) return false;
        break;
      case Technique::cell_forcing:
      case Technique::dynamic_cell:
        if (!n.on || n.candidate.cell != front.candidate.cell) return false;
        break;
      default:  // region forcing
        if (!n.on || n.candidate.digit != front.candidate.digit ||
            !logic::kHouseSet[step.houses.at(0)].has(n.candidate.cell))
          return false;
        break;
    }
    starts.add(n.candidate.cell);
  }
  switch (step.technique) {
    case Technique::cell_forcing:
    case Technique::dynamic_cell:
      return static_cast<int>(step.chains.size()) == std::popcount(grid.candidates(front.candidate.cell));
    case Technique::region_forcing:
    case Technique::dynamic_region:
      return starts == (grid.positions(front.candidate.digit) & logic::kHouseSet[step.houses.at(0)]);
    default:
      return step.chains.size() == 2;
  }
}

std::string chain_sentence(const Step& step, const Grid& grid) {
  const Chain& first = step.chains.at(0);
  const bool contradiction =
      step.technique == Technique::nishio || step.technique == Technique::dynamic_contradiction;
  switch (step.technique) {
    case Technique::forcing_x_chain:
    case Technique::forcing_chain:
      return named(step, chain_phrase(first, true) + ", which contradicts it; so " + conclusion(step));
    default:
      break;
  }
  if (!starts_assumed(step, grid)) {
    // Told by what the chains conclude: they rest on other chains.
    const ChainNode end = first.back();
    return named(step, std::string("with forcing chains inside its chains, ") +
                           (contradiction ? "one assumption shows both that " + node_text(end) +
                                                " and that " + node_text({end.candidate, !end.on})
                                          : "each of its assumptions shows that " + node_text(end)) +
                           ", so " + conclusion(step));
  }
  if (contradiction) {
    return named(step, chain_phrase(first, true) + ", and also " + consequences(step.chains.at(1), true) +
                           ": the two cannot both hold, so " + conclusion(step));
  }
  std::string header;
  if (step.technique == Technique::cell_forcing || step.technique == Technique::dynamic_cell) {
    header = rc_name(first.front().candidate.cell) + " is " +
             digits_text(grid.candidates(first.front().candidate.cell), "or") + ": ";
  } else if (step.technique != Technique::dynamic_double) {
    const int digit = first.front().candidate.digit;
    header = "in " + house_phrase(step.houses.at(0)) + ", " + digit_text(digit) + " is in " +
             cells_text(grid.positions(digit) & logic::kHouseSet[step.houses.at(0)], "or") + ": ";
  }
  return named(step, header + branches_text(step) + "; either way, " + conclusion(step));
}

// How a hint names the technique, with its article.
std::string hint_noun(const Step& step) {
  const auto in_first_house = [&] {
    return (pattern_cells(step) & logic::kHouseSet[step.houses.at(0)]).size() == 2 ? "pair" : "triple";
  };
  switch (step.technique) {
    case Technique::full_house:
      return "a full house";
    case Technique::hidden_single:
      return "a hidden single";
    case Technique::naked_single:
      return "a naked single";
    case Technique::pointing:
      return std::string("a pointing ") + in_first_house();
    case Technique::claiming:
      return std::string("a claiming ") + in_first_house();
    case Technique::direct_pointing:
      return std::string("a pointing ") + in_first_house() + " that leaves a single";
    case Technique::direct_claiming:
      return std::string("a claiming ") + in_first_house() + " that leaves a single";
    case Technique::direct_hidden_pair:
      return "a hidden pair that leaves a single";
    case Technique::direct_hidden_triplet:
      return "a hidden triplet that leaves a single";
    case Technique::naked_pair:
    case Technique::naked_triplet:
    case Technique::naked_quad:
    case Technique::hidden_pair:
    case Technique::hidden_triplet:
    case Technique::hidden_quad: {
      std::string name = logic::technique_name(step.technique);
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      return "a " + name;
    }
    default:
      break;
  }
  const std::string name = logic::technique_name(step.technique);
  if (name.find("Chains") != std::string::npos || name.find("Links") != std::string::npos) return name;
  const char first = name[0];
  const bool vowel = first == 'A' || first == 'E' || first == 'I' || first == 'O' || first == 'X';
  return (vowel ? "an " : "a ") + name;
}

}  // namespace

std::string rc_name(int cell) {
  return "r" + std::to_string(logic::row_of(cell) + 1) + "c" + std::to_string(logic::column_of(cell) + 1);
}

std::string house_phrase(int house) {
  switch (logic::house_kind(house)) {
    case HouseKind::box:
      return std::string("the ") + kBoxPlaces[static_cast<std::size_t>(house)] + " box";
    case HouseKind::row:
      return "row " + std::to_string(house - 8);
    case HouseKind::column:
      break;
  }
  return "column " + std::to_string(house - 17);
}

std::string placements_text(const Step& step) {
  std::string out;
  for (const Candidate c : step.placements) {
    out += (out.empty() ? "" : " ") + rc_name(c.cell) + "=" + digit_text(c.digit);
  }
  return out;
}

std::string eliminations_text(const Step& step) {
  std::string out;
  for (std::size_t i = 0; i < step.eliminations.size(); ++i) {
    const Candidate c = step.eliminations[i];
    if (i == 0 || c.cell != step.eliminations[i - 1].cell)
      out += (i == 0 ? "" : " ") + rc_name(c.cell) + "<>";
    out += digit_text(c.digit);
  }
  return out;
}

std::string technique_sentence(const Step& step, const Grid& grid) {
  switch (step.technique) {
    case Technique::full_house:
    case Technique::hidden_single:
    case Technique::naked_single:
      return single_sentence(step);
    case Technique::direct_pointing:
    case Technique::direct_claiming:
    case Technique::pointing:
    case Technique::claiming:
      return intersection_sentence(step);
    case Technique::direct_hidden_pair:
    case Technique::direct_hidden_triplet:
    case Technique::naked_pair:
    case Technique::hidden_pair:
    case Technique::naked_triplet:
    case Technique::hidden_triplet:
    case Technique::naked_quad:
    case Technique::hidden_quad:
      return set_sentence(step);
    case Technique::x_wing:
    case Technique::swordfish:
    case Technique::jellyfish:
      return fish_sentence(step);
    case Technique::skyscraper:
    case Technique::two_string_kite:
    case Technique::turbot_fish:
    case Technique::empty_rectangle:
    case Technique::grouped_two_links:
    case Technique::three_links:
    case Technique::grouped_three_links:
    case Technique::four_links:
    case Technique::grouped_four_links:
      return strong_links_sentence(step);
    case Technique::xy_wing:
    case Technique::xyz_wing:
      return xy_wing_sentence(step, grid);
    case Technique::wxyz_wing:
    case Technique::vwxyz_wing:
    case Technique::uvwxyz_wing:
    case Technique::tuvwxyz_wing:
      return set_wing_sentence(step, grid);
    case Technique::unique_rectangle:
    case Technique::unique_loop:
      return unique_loop_sentence(step, grid);
    case Technique::bug:
      return bug_sentence(step, grid);
    case Technique::aligned_pair_exclusion:
    case Technique::aligned_triplet_exclusion:
      return exclusion_sentence(step, grid);
    case Technique::x_cycle:
    case Technique::y_cycle:
    case Technique::xy_cycle:
      return cycle_sentence(step);
    default:
      return chain_sentence(step, grid);
  }
}

std::string chain_text(const Chain& chain) { return chain_phrase(chain, false); }

std::string chains_text(const Step& step) {
  std::string out;
  for (const Chain& chain : step.chains) {
    std::string text = chain_text(chain);
    if (!text.empty()) text[0] = 'I';
    out += (out.empty() ? "" : " ") + text + ".";
  }
  return out;
}

std::string technique_hint(const Step& step) {
  return "Look for " + hint_noun(step) + " (" + logic::rating_text(step.rating) + ").";
}

std::string focus_hint(const Step& step) {
  std::string text = "Look for " + hint_noun(step);
  if (!step.chains.empty() && step.technique >= Technique::x_cycle) {
    if (step.technique == Technique::region_forcing || step.technique == Technique::dynamic_region) {
      return text + " from the places of " + digit_text(step.chains[0].front().candidate.digit) + " in " +
             house_phrase(step.houses.at(0)) + ".";
    }
    return text + " from " + rc_name(step.chains[0].front().candidate.cell) + ".";
  }
  // More digits than a few would name most of the grid's.
  const bool digits = !step.digits.empty() && step.digits.size() <= 4;
  if (digits) text += " on " + digits_text(mask_of(step.digits));
  if (!step.houses.empty()) text += (digits ? ", in " : " in ") + houses_text(step.houses);
  return text + ".";
}

}  // namespace quorlen
