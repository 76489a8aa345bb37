// Ratings, the order hints are taken in, and what a hint becomes: a step,
// or (inside an outer chain) eliminations that rest on some candidates.
#include <algorithm>
#include <bit>

#include "logic/chains.h"
#include "logic/step_fill.h"

namespace quorlen::logic {
namespace {

constexpr int kNoEntry = -1;

// The nodes of a chain from the branch's start to `entry`, along first
// parents.
void first_parent_chain(const ChainContext& ctx, const ChainBranch& branch, int entry, Chain& out) {
  out.clear();
  for (int at = entry; at != kNoEntry;) {
    const ChainEntry& e = ctx.entries[branch.first + static_cast<std::uint32_t>(at)];
    const int node = e.node;
    out.push_back({candidate(node_cell(node), node_digit(node)), node_on(node)});
    at = e.parent_count == 0 ? kNoEntry : entry_of(ctx, branch, ctx.parents[e.parents]);
  }
  std::reverse(out.begin(), out.end());
}

const ChainBranch& branch_of(const ChainContext& ctx, const ChainHint& hint, int i) {
  return ctx.branches[static_cast<std::size_t>(hint.branches[static_cast<std::size_t>(i)])];
}

// The entry of the hint's target in its i-th branch (for a contradiction,
// i = 0 is the on node, i = 1 the off node).
int target_entry(const ChainContext& ctx, const ChainHint& hint, int i) {
  const ChainBranch& branch = branch_of(ctx, hint, hint.shape == HintShape::contradiction ? 0 : i);
  if (hint.shape == HintShape::contradiction) {
    const int absurd_node = ctx.entries[branch.first + static_cast<std::uint32_t>(branch.absurd)].node;
    const int wanted = i == 0 ? hint.target : opposite(hint.target);
    return absurd_node == wanted ? branch.absurd : entry_of(ctx, branch, wanted);
  }
  return entry_of(ctx, branch, hint.target);
}

bool is_static(const ChainHint& hint) {
  return hint.shape == HintShape::cycle || hint.shape == HintShape::forcing;
}
int chain_count(const ChainHint& hint) {
  return hint.shape == HintShape::contradiction ? 2 : hint.branch_count;
}

// The node a hint concludes: true (placed) or false (struck). Cycles
// conclude nothing of one node.
int conclusion(const ChainHint& hint) {
  switch (hint.shape) {
    case HintShape::forcing:
    case HintShape::contradiction:
      return opposite(hint.start);
    case HintShape::cycle:
      return -1;
    default:
      return hint.target;
  }
}

// Calls visit(node, cause) for every node a hint's chains rest on.
template <typename Visit>
void for_each_hint_node(ChainContext& ctx, const ChainHint& hint, Visit visit) {
  if (is_static(hint)) {
    for (std::uint32_t i = 0; i < hint.path_length; ++i) {
      const int packed = ctx.paths[hint.path + i];
      visit(packed & 0x7FF, static_cast<Cause>(packed >> 11));
    }
    return;
  }
  // Every ancestor in every branch; a node met in two branches is visited
  // twice, which the callers' deduplication absorbs.
  for (int i = 0; i < chain_count(hint); ++i) {
    const ChainBranch& branch = branch_of(ctx, hint, hint.shape == HintShape::contradiction ? 0 : i);
    ctx.seen.next();
    ctx.stack.assign(1, static_cast<std::uint32_t>(target_entry(ctx, hint, i)));
    ctx.seen.mark(ctx.entries[branch.first + ctx.stack[0]].node);
    while (!ctx.stack.empty()) {
      const ChainEntry e = ctx.entries[branch.first + ctx.stack.back()];
      ctx.stack.pop_back();
      visit(e.node, e.cause);
      for (std::uint32_t p = 0; p < e.parent_count; ++p) {
        const std::uint16_t parent = ctx.parents[e.parents + p];
        if (ctx.seen.has(parent)) continue;
        ctx.seen.mark(parent);
        ctx.stack.push_back(static_cast<std::uint32_t>(entry_of(ctx, branch, parent)));
      }
    }
  }
}

}  // namespace

double chain_rating(double base, int complexity) {
  double added = 0;
  int ceiling = 4;
  const int length = complexity - 2;
  bool odd = false;
  while (length > ceiling) {
    added += 0.1;
    ceiling = odd ? ceiling * 4 / 3 : ceiling * 3 / 2;
    odd = !odd;
  }
  return base + added;
}

int rating_tenths(double rating) { return static_cast<int>((rating + 0.05) * 10.0); }

bool hint_before(const ChainHint& a, const ChainHint& b) {
  if (a.rating != b.rating) return a.rating < b.rating;
  if (a.complexity != b.complexity) return a.complexity < b.complexity;
  if (a.kind != b.kind) return a.kind < b.kind;
  return a.order < b.order;
}

bool HintCollector::wanted(double rating, int complexity, int kind) const {
  if (all_ || count_ == 0) return true;
  if (rating != best_.rating) return rating < best_.rating;
  if (complexity != best_.complexity) return complexity < best_.complexity;
  return kind < best_.kind;
}

bool HintCollector::offer(ChainHint hint, ChainContext& ctx) {
  if (!wanted(hint.rating, hint.complexity, hint.kind)) return false;
  hint.order = count_++;
  if (all_) {
    ctx.hints.push_back(hint);
  } else {
    best_ = hint;
  }
  return true;
}

void HintCollector::sort_all(ChainContext& ctx) const {
  ctx.sorted = ctx.hints;
  std::stable_sort(ctx.sorted.begin(), ctx.sorted.end(), hint_before);
}

void hint_removals(ChainContext& ctx, const ChainHint& hint, const Grid& grid,
                   std::vector<std::uint16_t>& out) {
  out.clear();
  if (hint.shape == HintShape::cycle) {
    cycle_eliminations(ctx, hint, grid, ctx.struck);
    for (const Candidate c : ctx.struck) out.push_back(static_cast<std::uint16_t>(c.cell * 9 + c.digit - 1));
    return;
  }
  const int node = conclusion(hint);
  const int cell = node_cell(node);
  if (!node_on(node)) {
    if (grid.has(cell, node_digit(node))) out.push_back(static_cast<std::uint16_t>(node_candidate(node)));
    return;
  }
  for (unsigned rest = grid.candidates(cell) & ~(1u << node_digit(node)); rest != 0; rest &= rest - 1) {
    out.push_back(static_cast<std::uint16_t>(cell * 9 + std::countr_zero(rest) - 1));
  }
}

void hint_rule_parents(ChainContext& ctx, const ChainHint& hint, const Grid& source, const Grid& current,
                       std::vector<std::uint16_t>& out) {
  out.clear();
  auto add = [&out](int cell, int digit) {
    const auto c = static_cast<std::uint16_t>(cell * 9 + digit - 1);
    if (std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
  };
  for_each_hint_node(ctx, hint, [&](int node, Cause cause) {
    if (!node_on(node)) return;
    const int cell = node_cell(node);
    const int digit = node_digit(node);
    if (cause == Cause::cell) {
      for (unsigned gone = source.candidates(cell) & ~current.candidates(cell); gone != 0; gone &= gone - 1) {
        add(cell, std::countr_zero(gone));
      }
    } else if (cause == Cause::box || cause == Cause::row || cause == Cause::column) {
      const int house =
          cell_houses(cell)[static_cast<std::size_t>(static_cast<int>(cause) - static_cast<int>(Cause::box))];
      for (unsigned gone = source.places(house, digit) & ~current.places(house, digit); gone != 0;
           gone &= gone - 1) {
        add(house_cell(house, std::countr_zero(gone)), digit);
      }
    }
  });
}

std::uint64_t hint_fingerprint(ChainContext& ctx, const ChainHint& hint) {
  std::uint64_t hash = 1469598103934665603ull;
  auto mix = [&hash](std::uint64_t value) {
    hash ^= value;
    hash *= 1099511628211ull;
  };
  mix(static_cast<std::uint64_t>(hint.shape));
  mix(static_cast<std::uint64_t>(hint.start + 2));
  mix(static_cast<std::uint64_t>(hint.target + 2));
  for_each_hint_node(ctx, hint, [&](int node, Cause) { mix(static_cast<std::uint64_t>(node)); });
  return hash;
}

void fill_chain_step(const ChainContext& ctx, const ChainHint& hint, const Grid& grid, const ChainMode* mode,
                     Step& step) {
  Technique technique = Technique::forcing_chain;
  const bool nishio = mode != nullptr && mode->search == ChainSearch::nishio;
  const bool multiple = mode != nullptr && mode->search == ChainSearch::multiple;
  switch (hint.shape) {
    case HintShape::cycle:
      technique = hint.kind == kind_x   ? Technique::x_cycle
                  : hint.kind == kind_y ? Technique::y_cycle
                                        : Technique::xy_cycle;
      break;
    case HintShape::forcing:
      technique = hint.kind == kind_x ? Technique::forcing_x_chain : Technique::forcing_chain;
      break;
    case HintShape::contradiction:
      technique = nishio ? Technique::nishio : Technique::dynamic_contradiction;
      break;
    case HintShape::double_forcing:
      technique = Technique::dynamic_double;
      break;
    case HintShape::cell_forcing:
      technique = multiple ? Technique::cell_forcing : Technique::dynamic_cell;
      break;
    case HintShape::region_forcing:
      technique = multiple ? Technique::region_forcing : Technique::dynamic_region;
      break;
  }
  begin_step(step, technique, rating_tenths(hint.rating));
  step.complexity = hint.complexity;
  if (mode != nullptr && mode->search == ChainSearch::dynamic)
    step.level = static_cast<std::uint8_t>(mode->level);

  if (is_static(hint)) {
    Chain chain;
    for (std::uint32_t i = 0; i < hint.path_length; ++i) {
      const int node = ctx.paths[hint.path + i] & 0x7FF;
      chain.push_back({candidate(node_cell(node), node_digit(node)), node_on(node)});
    }
    step.chains.push_back(std::move(chain));
  } else {
    for (int i = 0; i < chain_count(hint); ++i) {
      const ChainBranch& branch = branch_of(ctx, hint, hint.shape == HintShape::contradiction ? 0 : i);
      Chain chain;
      first_parent_chain(ctx, branch, target_entry(ctx, hint, i), chain);
      step.chains.push_back(std::move(chain));
    }
  }
  unsigned digits = 0;
  for (const Chain& chain : step.chains) {
    for (const ChainNode& node : chain) {
      step.pattern.push_back(node.candidate);
      digits |= digit_bit(node.candidate.digit);
    }
  }
  set_digits(step, digits);
  if (hint.house >= 0) add_houses(step, {hint.house});

  const int node = conclusion(hint);
  if (node < 0) {
    cycle_eliminations(ctx, hint, grid, step.eliminations);
  } else if (node_on(node)) {
    step.placements.push_back(candidate(node_cell(node), node_digit(node)));
  } else {
    step.eliminations.push_back(candidate(node_cell(node), node_digit(node)));
  }
  finish_step(step);
}

}  // namespace quorlen::logic
