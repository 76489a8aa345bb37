// The chain searches' buffers (see workspace.h): sized by the first
// searches of a thread and reused by every later one, so that a search
// allocates nothing once warm.
//
// A chain search that nests another (dynamic chains with "+" or with whole
// chain searches inside) runs the inner one on a context of its own, one
// level deeper; the deepest search there is (dynamic inside dynamic inside
// the outermost) needs three.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "logic/chain_nodes.h"
#include "logic/grid.h"
#include "logic/step.h"

namespace quorlen::logic {

// A node as a propagation derived it.
struct ChainEntry {
  std::uint16_t node = 0;
  Cause cause = Cause::start;
  std::uint16_t depth = 0;         // links from the start along first parents
  std::uint16_t parent_count = 0;  // the first parent, then hidden ones
  std::uint32_t parents = 0;       // offset into ChainContext::parents (node numbers)
  std::int32_t nested = -1;        // the nested chain it came from (ChainContext::nested_chains), or -1
};

// Everything a propagation derived from one assumption.
struct ChainBranch {
  std::uint32_t first = 0;  // its entries, [first, first + count), in the order derived
  std::uint32_t count = 0;
  std::uint32_t index = 0;   // its slot of ChainContext::where
  std::int32_t absurd = -1;  // a contradiction: the entry of the node whose opposite was already derived
};

// A nested chain an entry relies on: counted once per hint however many
// of the hint's nodes come from it.
struct NestedChain {
  std::uint64_t fingerprint = 0;
  int complexity = 0;
};

// What a hint is made of.
enum class HintShape : std::uint8_t {
  cycle,           // static: the start implies itself the long way round
  forcing,         // static: the start implies its opposite
  contradiction,   // the start implies a node and its opposite
  double_forcing,  // the target follows from the start and from its opposite
  cell_forcing,    // the target follows from every candidate of the start's cell
  region_forcing,  // from every place of the start's digit in a house
};

// A hint of a chain search, as found; what it concludes and the numbers it
// is sorted by. The chains themselves stay in the context that found it.
struct ChainHint {
  double rating = 0;   // as the rater adds it up, so that ties fall the same way
  int complexity = 0;  // including the nested chains'
  int kind = 0;        // the rater's tie-break between kinds of hint (see chains.h)
  int order = 0;       // found order: the last tie-break
  HintShape shape = HintShape::cycle;
  std::int16_t house = -1;   // region forcing
  std::int16_t start = -1;   // the node the search assumed
  std::int16_t target = -1;  // the node it concludes (or, for a contradiction, its on node)
  std::uint32_t path = 0;    // static chains: the nodes in ChainContext::paths
  std::uint16_t path_length = 0;
  std::uint8_t branch_count = 0;
  std::array<std::int32_t, 9> branches{};  // dynamic and multiple chains: one per assumption
};

// One elimination of a rule run inside a dynamic chain, and the candidates
// (already struck since the chain's start) that the rule relied on.
struct RuleElimination {
  std::uint16_t candidate = 0;
  std::uint32_t parents = 0;  // offset into ChainContext::rule_parents
  std::uint16_t parent_count = 0;
  std::int32_t nested = -1;  // into the outer context's nested_chains when a chain search found it
};

struct ChainContext {
  Grid scratch;  // the grid a dynamic propagation reduces
  std::array<std::uint16_t, kCandidateCount> on_queue{};
  std::array<std::uint16_t, kCandidateCount> off_queue{};

  std::vector<ChainEntry> entries;
  std::vector<std::uint16_t> parents;
  std::vector<ChainBranch> branches;
  // For each branch a slot of 1458: the entry (from branch.first) of each
  // node derived, kNone for the others.
  std::vector<std::uint16_t> where;
  std::array<std::int32_t, kCandidateCount> memo_on{};  // a candidate's "on" branch, -1 none yet

  // Counting ancestors.
  NodeMarks seen;
  std::vector<std::uint32_t> stack;
  std::vector<NestedChain> nested_chains;
  std::vector<std::int32_t> nested_met;

  // Static chains: nodes as instances of a breadth-first search.
  struct Instance {
    std::uint16_t node;
    Cause cause;
    std::uint16_t depth;
    std::int32_t parent;
  };
  std::vector<Instance> instances;
  std::array<std::int32_t, kNodeCount> instance_of{};
  NodeMarks derived;
  std::vector<std::int32_t> layer;
  std::vector<std::int32_t> next_layer;
  std::vector<std::uint16_t> paths;  // node | cause << 11, from the start
  // The grid's links (node | cause << 11) and, per candidate, where its
  // kinds begin: [0] true to false in the cell, [1] in its houses, [2]
  // false to true in the cell, [3] in its houses, [4] the end.
  std::vector<std::uint16_t> links;
  std::array<std::array<std::uint32_t, 5>, kCandidateCount> link_begin{};

  std::vector<ChainHint> hints;
  std::vector<ChainHint> sorted;
  std::vector<RuleElimination> rule_eliminations;
  std::vector<std::uint16_t> rule_parents;
  std::vector<Candidate> struck;
  std::vector<std::uint16_t> removals;
  std::vector<std::uint16_t> relied;
};

struct ChainWork {
  // contexts[d]: the buffers of a search nested d deep.
  std::vector<std::unique_ptr<ChainContext>> contexts;

  ChainContext& context(int depth) {
    while (static_cast<int>(contexts.size()) <= depth) contexts.push_back(std::make_unique<ChainContext>());
    return *contexts[static_cast<std::size_t>(depth)];
  }
};

}  // namespace quorlen::logic
