// Nishio, multiple and dynamic chains: every candidate of a cell is
// assumed true, then false, and all that follows is derived (chain_propagation.cpp).
//
//   contradiction   (Nishio, dynamic) an assumption that leads to a node
//                   and its opposite is wrong
//   double forcing  (dynamic, cells with three candidates or more) a node
//                   that follows from the candidate and from its absence
//   region forcing  (multiple, dynamic) a node that follows from each place
//                   of the digit in a house; searched from the house's first
//                   place only
//   cell forcing    (multiple, dynamic) a node that follows from each
//                   candidate of the cell
//
// Multiple chains look only at cells with three candidates or more, and
// derive on the grid as it is; Nishio follows one digit only. The hints
// come in the order: cells, then digits; for each digit the contradictions
// (from true, from false), the double forcing, the regions (box, row,
// column), and after the cell's last digit its cell forcing; true nodes
// before false ones, in the order the first assumption derived them.
//
// The assumption "candidate true" is the same propagation wherever it is
// needed (its own cell, and every region forcing where it is a place), so
// it is made once per search.
#include <bit>

#include "logic/chains.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

class MultipleSearch {
 public:
  MultipleSearch(ChainWork& work, int depth, const Grid& grid, const ChainMode& mode, HintCollector& out)
      : work_(work), depth_(depth), ctx_(work.context(depth)), grid_(grid), mode_(mode), out_(out) {
    switch (mode.search) {
      case ChainSearch::nishio:
        base_ = 7.5;
        break;
      case ChainSearch::multiple:
        base_ = 8.0;
        break;
      case ChainSearch::dynamic:
        base_ = 8.5 + 0.5 * mode.level;
        break;
    }
  }

  void run();

 private:
  int on_branch(int cell, int digit);
  const ChainBranch& branch(int index) const { return ctx_.branches[static_cast<std::size_t>(index)]; }
  int depth_of(int branch_index, int entry) const {
    return ctx_.entries[branch(branch_index).first + static_cast<std::uint32_t>(entry)].depth;
  }
  // A conclusion the grid does not have yet.
  bool worth(int node) const {
    const int cell = node_cell(node);
    return node_on(node) ? several_bits(grid_.candidates(cell)) : grid_.has(cell, node_digit(node));
  }
  // Offers the hint whose target (or contradiction) is at `entries` of its
  // branches; `shortest` is the least complexity it can have.
  void offer(ChainHint& hint, const std::array<int, 9>& entries, int shortest);

  void contradiction(int branch_index, int start);
  void double_forcing(int on, int off, int start);
  void common_nodes(HintShape shape, int kind, int start, int house,
                    const std::array<std::int32_t, 9>& branches, int count);

  ChainWork& work_;
  int depth_;
  ChainContext& ctx_;
  const Grid& grid_;
  ChainMode mode_;
  HintCollector& out_;
  double base_ = 0;
};

int MultipleSearch::on_branch(int cell, int digit) {
  std::int32_t& memo = ctx_.memo_on[static_cast<std::size_t>(cell * 9 + digit - 1)];
  if (memo < 0) memo = propagate(work_, depth_, grid_, mode_, node_id(cell, digit, true));
  return memo;
}

void MultipleSearch::offer(ChainHint& hint, const std::array<int, 9>& entries, int shortest) {
  hint.rating = chain_rating(base_, shortest);
  if (!out_.wanted(hint.rating, shortest, hint.kind)) return;
  ctx_.nested_met.clear();
  int complexity = 0;
  const bool contradiction = hint.shape == HintShape::contradiction;
  const int count = contradiction ? 2 : hint.branch_count;
  for (int i = 0; i < count; ++i) {
    const ChainBranch& b = branch(hint.branches[static_cast<std::size_t>(contradiction ? 0 : i)]);
    complexity += count_ancestors(ctx_, b, entries[static_cast<std::size_t>(i)]);
  }
  for (const std::int32_t nested : ctx_.nested_met) {
    complexity += ctx_.nested_chains[static_cast<std::size_t>(nested)].complexity;
  }
  hint.complexity = complexity;
  hint.rating = chain_rating(base_, complexity);
  out_.offer(hint, ctx_);
}

void MultipleSearch::contradiction(int branch_index, int start) {
  const ChainBranch& b = branch(branch_index);
  if (b.absurd < 0 || !worth(opposite(start))) return;
  const int absurd = ctx_.entries[b.first + static_cast<std::uint32_t>(b.absurd)].node;
  const int other = entry_of(ctx_, b, opposite(absurd));
  ChainHint hint;
  hint.shape = HintShape::contradiction;
  hint.kind = kind_contradiction;
  hint.start = static_cast<std::int16_t>(start);
  hint.target = static_cast<std::int16_t>(node_on(absurd) ? absurd : opposite(absurd));
  hint.branch_count = 1;
  hint.branches[0] = branch_index;
  std::array<int, 9> entries{};
  entries[0] = node_on(absurd) ? b.absurd : other;
  entries[1] = node_on(absurd) ? other : b.absurd;
  offer(hint, entries, depth_of(branch_index, b.absurd) + depth_of(branch_index, other) + 2);
}

void MultipleSearch::double_forcing(int on, int off, int start) {
  const ChainBranch& from_on = branch(on);
  const ChainBranch& from_off = branch(off);
  for (const bool state : {true, false}) {
    for (std::uint32_t i = 0; i < from_on.count; ++i) {
      const int node = ctx_.entries[from_on.first + i].node;
      if (node_on(node) != state) continue;
      const int other = entry_of(ctx_, from_off, node);
      if (other < 0 || !worth(node)) continue;
      ChainHint hint;
      hint.shape = HintShape::double_forcing;
      hint.kind = kind_double;
      hint.start = static_cast<std::int16_t>(start);
      hint.target = static_cast<std::int16_t>(node);
      hint.branch_count = 2;
      hint.branches[0] = on;
      hint.branches[1] = off;
      std::array<int, 9> entries{};
      entries[0] = static_cast<int>(i);
      entries[1] = other;
      offer(hint, entries, depth_of(on, entries[0]) + depth_of(off, other) + 2);
    }
  }
}

void MultipleSearch::common_nodes(HintShape shape, int kind, int start, int house,
                                  const std::array<std::int32_t, 9>& branches, int count) {
  const ChainBranch& first = branch(branches[0]);
  for (const bool state : {true, false}) {
    for (std::uint32_t i = 0; i < first.count; ++i) {
      const int node = ctx_.entries[first.first + i].node;
      if (node_on(node) != state) continue;
      std::array<int, 9> entries{};
      entries[0] = static_cast<int>(i);
      int shortest = ctx_.entries[first.first + i].depth + 1;
      bool everywhere = true;
      for (int k = 1; k < count && everywhere; ++k) {
        const auto b = static_cast<std::size_t>(k);
        entries[b] = entry_of(ctx_, branch(branches[b]), node);
        everywhere = entries[b] >= 0;
        if (everywhere) shortest += depth_of(branches[b], entries[b]) + 1;
      }
      if (!everywhere || !worth(node)) continue;
      ChainHint hint;
      hint.shape = shape;
      hint.kind = kind;
      hint.start = static_cast<std::int16_t>(start);
      hint.target = static_cast<std::int16_t>(node);
      hint.house = static_cast<std::int16_t>(house);
      hint.branch_count = static_cast<std::uint8_t>(count);
      hint.branches = branches;
      offer(hint, entries, shortest);
    }
  }
}

void MultipleSearch::run() {
  const bool nishio = mode_.search == ChainSearch::nishio;
  const bool contradictions = mode_.dynamic();
  const int fewest = mode_.search == ChainSearch::multiple ? 3 : 2;
  for (int cell = 0; cell < 81; ++cell) {
    const unsigned candidates = grid_.candidates(cell);
    const int count = bit_count(candidates);
    if (count < fewest) continue;
    std::array<std::int32_t, 9> cell_branches{};
    int digits = 0;
    for (unsigned rest = candidates; rest != 0; rest &= rest - 1) {
      const int digit = std::countr_zero(rest);
      const int on_node = node_id(cell, digit, true);
      const int on = on_branch(cell, digit);
      if (contradictions) contradiction(on, on_node);
      const int off = propagate(work_, depth_, grid_, mode_, opposite(on_node));
      if (contradictions) contradiction(off, opposite(on_node));
      if (mode_.search == ChainSearch::dynamic && count >= 3) double_forcing(on, off, on_node);
      if (!nishio) {
        for (const int house : cell_houses(cell)) {
          const unsigned places = grid_.places(house, digit);
          if (!several_bits(places) || house_cell(house, std::countr_zero(places)) != cell) continue;
          std::array<std::int32_t, 9> branches{};
          int n = 0;
          for (unsigned p = places; p != 0; p &= p - 1) {
            const int other = house_cell(house, std::countr_zero(p));
            branches[static_cast<std::size_t>(n++)] = other == cell ? on : on_branch(other, digit);
          }
          common_nodes(HintShape::region_forcing, kind_region, on_node, house, branches, n);
        }
      }
      cell_branches[static_cast<std::size_t>(digits++)] = on;
    }
    if (!nishio)
      common_nodes(HintShape::cell_forcing, kind_cell, node_id(cell, std::countr_zero(candidates), true), -1,
                   cell_branches, digits);
  }
}

bool find_chains(const Grid& grid, Step& step, Workspace& work, const ChainMode& mode) {
  ChainContext& ctx = work.chains().context(0);
  reset_context(ctx);
  HintCollector out(false);
  search_multiple_chains(work.chains(), 0, grid, mode, out);
  if (!out.found()) return false;
  fill_chain_step(ctx, out.best(), grid, &mode, step);
  return true;
}

}  // namespace

void search_multiple_chains(ChainWork& work, int depth, const Grid& grid, const ChainMode& mode,
                            HintCollector& out) {
  MultipleSearch search(work, depth, grid, mode, out);
  search.run();
}

bool find_nishio(const Grid& grid, Step& step, Workspace& work) {
  return find_chains(grid, step, work, ChainMode{ChainSearch::nishio, 0, 0});
}

bool find_multiple_chains(const Grid& grid, Step& step, Workspace& work) {
  return find_chains(grid, step, work, ChainMode{ChainSearch::multiple, 0, 0});
}

bool find_dynamic_chains(const Grid& grid, Step& step, Workspace& work, int level, int inner_level) {
  // Nested searches on a grid without exactly one solution could only fail,
  // after hours (see chain_guard.cpp).
  if (level >= 2 && !has_one_solution(grid)) return false;
  return find_chains(grid, step, work, ChainMode{ChainSearch::dynamic, level, inner_level});
}

}  // namespace quorlen::logic
