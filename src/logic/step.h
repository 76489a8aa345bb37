// A step of the person's solver as a plain value: which technique, how
// hard, what makes its pattern, what it places and what it strikes. The
// sentences people read are composed from this value elsewhere (ui/), in
// one place; the searches only fill it in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logic/cell_set.h"

namespace quorlen::logic {

// In the order the solver tries them (see rating.cpp), with the variants
// that carry a name of their own.
enum class Technique : std::uint8_t {
  full_house,
  hidden_single,
  direct_pointing,
  direct_claiming,
  direct_hidden_pair,
  naked_single,
  direct_hidden_triplet,
  pointing,
  claiming,
  naked_pair,
  x_wing,
  hidden_pair,
  naked_triplet,
  swordfish,
  hidden_triplet,
  skyscraper,         // two strong links on parallel lines
  two_string_kite,    // a row's and a column's
  turbot_fish,        // a box's and a line's
  empty_rectangle,    // a box's group and a line's
  grouped_two_links,  // any other with a group of cells at a link's end
  xy_wing,
  xyz_wing,
  unique_rectangle,  // Step::kind is the type, 1..4
  unique_loop,       // the same; Step::size the cells of the loop
  naked_quad,
  jellyfish,
  hidden_quad,
  three_links,
  grouped_three_links,
  wxyz_wing,
  bug,  // Step::kind is the type, 1..4
  four_links,
  grouped_four_links,
  vwxyz_wing,
  aligned_pair_exclusion,
  uvwxyz_wing,
  x_cycle,
  y_cycle,
  xy_cycle,
  forcing_x_chain,
  forcing_chain,
  tuvwxyz_wing,
  aligned_triplet_exclusion,
  nishio,
  cell_forcing,
  region_forcing,
  dynamic_contradiction,
  dynamic_double,
  dynamic_cell,
  dynamic_region,
};
inline constexpr int kTechniqueCount = static_cast<int>(Technique::dynamic_region) + 1;

// A candidate: digit 1..9 of cell 0..80.
struct Candidate {
  std::uint8_t cell = 0;
  std::uint8_t digit = 0;
  friend constexpr auto operator<=>(Candidate, Candidate) = default;
};

// One link of a chain as its search derived it: a candidate that is true
// ("on") or false ("off").
struct ChainNode {
  Candidate candidate;
  bool on = false;
  friend constexpr bool operator==(ChainNode, ChainNode) = default;
};
// A chain read from its start to its conclusion, each node following from
// the one before (the first reason its search found for it).
using Chain = std::vector<ChainNode>;

// What the searches short of chains put in a step besides its placements
// and eliminations:
//   houses   the house of a single or set; a pointing's or claiming's box
//            and line, the first confining the digit (a direct one adds
//            the house of the single it leaves); a fish's base lines, then
//            its cover lines; a strong-link chain's link houses in chain
//            order, then the houses bridging them; a set wing's set; the
//            house of a type 3 or 4 unique loop or BUG
//   pattern  the candidates a picture shows: a set's or fish's, a chain's
//            link ends, a wing's cells, a loop's a and b (with the extras
//            and the set of types 2 and 3), the BUG digits, an aligned
//            exclusion's base cells and excluders
//   chains   strong links: one chain, each link's end facing back (off)
//            then its far end (on), a group end cell by cell
struct Step {
  Technique technique = Technique::full_house;
  int rating = 0;         // in tenths: 26 is 2.6
  std::uint8_t size = 0;  // set or fish size, number of links, cells of a wing or loop
  // The type of a uniqueness pattern or of BUG (1..4); for strong links 1
  // when the chain closes into a loop; for a set wing 1 when singly, 2 when
  // doubly linked.
  std::uint8_t kind = 0;
  std::uint8_t level = 0;  // chains: 0, 1 with the simple techniques inside (+), 2..4 nested
  int complexity = 0;      // chains: the number of links their rating counts

  std::vector<Candidate> placements;    // digits it places
  std::vector<Candidate> eliminations;  // candidates it strikes
  CellSet cells;                        // the cells of its pattern
  std::vector<Candidate> pattern;       // the candidates that make the pattern
  std::vector<std::uint8_t> houses;     // the houses it works in (0..26, see houses.h)
  std::vector<std::uint8_t> digits;     // the digits it is about, rising
  std::vector<Chain> chains;            // chains: each branch from its start to the conclusion

  friend bool operator==(const Step&, const Step&) = default;
};

// The technique's name as setters and players know it ("X-Wing",
// "Unique Rectangle"): what --technique takes.
const char* technique_name(Technique technique);
// The step's full name, with its type and nesting ("Unique Rectangle type
// 2", "Dynamic Cell Forcing Chains (+)"): what a rating names as hardest.
std::string step_name(const Step& step);
// The technique whose name is `name`, ignoring case, blanks and hyphens;
// false when there is none.
bool technique_by_name(std::string_view name, Technique& technique);

// A rating in tenths as people write it: 26 -> "2.6".
std::string rating_text(int tenths);

}  // namespace quorlen::logic
