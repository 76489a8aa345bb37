// Forcing chains and bidirectional cycles, on the grid as it is.
//
// Three passes, each with its own rules for links: X (one digit: a house
// where it has two places), Y (a cell with two candidates) and both. From
// every candidate of every cell with two candidates or more (the Y pass:
// exactly two), breadth-first, all pending "on" nodes then all pending
// "off" nodes:
//
//   cycle          the start, assumed true, comes back true after four
//                  links or more; since each link then holds both ways,
//                  whatever sees a true and a false node of a digit on the
//                  cycle cannot hold it
//   forcing chain  (X and both) the start assumed true ends false: it is
//                  struck; assumed false it ends true: it is placed
//
// A forcing chain is found where its target is first reached, which, the
// search being breadth-first, makes its complexity (its nodes) the layer
// it is found in. A cycle search reaches a false node once for every true
// node that leads to it (though it goes on only from the first), so that
// every way back to the start is tried; it never steps onto a node its own
// chain already holds.
#include <bit>

#include "logic/chains.h"
#include "logic/step_fill.h"
#include "logic/techniques.h"

namespace quorlen::logic {
namespace {

struct Pass {
  bool x;
  bool y;
  int kind;
  double cycle_base;
  double forcing_base;
};
// In the order taken (the order decides nothing but speed: the kinds of
// the passes differ, so no two hints of different passes tie).
constexpr Pass kPasses[] = {
    {true, false, kind_x, 6.5, 6.6},
    {false, true, kind_y, 6.5, 0},
    {true, true, kind_xy, 7.0, 7.0},
};

constexpr std::uint16_t pack(int node, Cause cause) {
  return static_cast<std::uint16_t>(node | static_cast<int>(cause) << 11);
}

class StaticSearch {
 public:
  StaticSearch(ChainContext& ctx, const Grid& grid, HintCollector& out) : ctx_(ctx), grid_(grid), out_(out) {}

  void make_links();
  void run_pass(int pass);

 private:
  using Instance = ChainContext::Instance;

  void new_search();
  bool derived(int node) const { return ctx_.derived.has(node); }
  std::int32_t add(int node, Cause cause, std::int32_t parent, bool first);
  bool is_ancestor(std::int32_t instance, int node) const;
  template <typename Emit>
  void on_to_off(int node, Emit emit) const;
  template <typename Emit>
  void off_to_on(int node, Emit emit) const;
  // The path from the start to `instance`, then `last` if not negative.
  std::uint32_t store_path(std::int32_t instance, int last, Cause cause, std::uint16_t& length);

  // Whether some false node leads to this true one.
  bool reachable(int on) const {
    const auto& at = ctx_.link_begin[static_cast<std::size_t>(node_candidate(on))];
    return (pass_.y && at[2] < at[3]) || (pass_.x && at[3] < at[4]);
  }
  // Whether the candidate's false node can be reached at all: one of the
  // true nodes that lead to it (those its true node leads to the other way
  // round) must itself be reachable.
  bool refutable(int on) const {
    bool any = false;
    on_to_off(on, [&](int node, Cause) { any |= reachable(opposite(node)); });
    return any;
  }
  void cycles(int start);
  void forcing(int start);

  ChainContext& ctx_;
  const Grid& grid_;
  HintCollector& out_;
  Pass pass_{};
};

void StaticSearch::make_links() {
  // Per candidate, its links in the order a search takes them: true to
  // false in the cell, then in box, row and column; false to true in the
  // cell, then in box, row and column (a cell met twice kept once).
  ctx_.links.clear();
  for (int cell = 0; cell < 81; ++cell) {
    const unsigned candidates = grid_.candidates(cell);
    const auto houses = cell_houses(cell);
    for (int digit = 1; digit <= 9; ++digit) {
      auto& at = ctx_.link_begin[static_cast<std::size_t>(cell * 9 + digit - 1)];
      const auto here = static_cast<std::uint32_t>(ctx_.links.size());
      at = {here, here, here, here, here};
      if ((candidates >> digit & 1) == 0) continue;
      for (unsigned rest = candidates & ~(1u << digit); rest != 0; rest &= rest - 1) {
        ctx_.links.push_back(pack(node_id(cell, std::countr_zero(rest), false), Cause::cell));
      }
      at[1] = static_cast<std::uint32_t>(ctx_.links.size());
      const CellSet box = kHouseSet[houses[0]];
      for (std::size_t i = 0; i < 3; ++i) {
        CellSet peers = grid_.positions(digit) & kHouseSet[houses[i]];
        if (i > 0) peers = peers.minus(box);
        peers.remove(cell);
        for (const int peer : peers)
          ctx_.links.push_back(pack(node_id(peer, digit, false), house_cause(houses[i])));
      }
      at[2] = static_cast<std::uint32_t>(ctx_.links.size());
      if (two_bits(candidates)) {
        ctx_.links.push_back(
            pack(node_id(cell, std::countr_zero(candidates & ~(1u << digit)), true), Cause::cell));
      }
      at[3] = static_cast<std::uint32_t>(ctx_.links.size());
      for (std::size_t i = 0; i < 3; ++i) {
        const unsigned places = grid_.places(houses[i], digit);
        if (!two_bits(places)) continue;
        const int other =
            house_cell(houses[i], std::countr_zero(places & ~(1u << place_in_house(houses[i], cell))));
        const std::uint16_t link = pack(node_id(other, digit, true), house_cause(houses[i]));
        bool again = false;
        for (std::uint32_t k = at[3]; k < ctx_.links.size(); ++k)
          again |= (ctx_.links[k] & 0x7FF) == (link & 0x7FF);
        if (!again) ctx_.links.push_back(link);
      }
      at[4] = static_cast<std::uint32_t>(ctx_.links.size());
    }
  }
}

void StaticSearch::new_search() {
  ctx_.derived.next();
  ctx_.instances.clear();
}

std::int32_t StaticSearch::add(int node, Cause cause, std::int32_t parent, bool first) {
  const auto index = static_cast<std::int32_t>(ctx_.instances.size());
  const std::uint16_t depth =
      parent < 0 ? 0 : static_cast<std::uint16_t>(ctx_.instances[static_cast<std::size_t>(parent)].depth + 1);
  ctx_.instances.push_back({static_cast<std::uint16_t>(node), cause, depth, parent});
  if (first) {
    ctx_.derived.mark(node);
    ctx_.instance_of[static_cast<std::size_t>(node)] = index;
  }
  return index;
}

bool StaticSearch::is_ancestor(std::int32_t instance, int node) const {
  for (std::int32_t at = instance; at >= 0; at = ctx_.instances[static_cast<std::size_t>(at)].parent) {
    if (ctx_.instances[static_cast<std::size_t>(at)].node == node) return true;
  }
  return false;
}

template <typename Emit>
void StaticSearch::on_to_off(int node, Emit emit) const {
  const auto& at = ctx_.link_begin[static_cast<std::size_t>(node_candidate(node))];
  for (std::uint32_t i = pass_.y ? at[0] : at[1]; i < at[2]; ++i) {
    emit(ctx_.links[i] & 0x7FF, static_cast<Cause>(ctx_.links[i] >> 11));
  }
}

template <typename Emit>
void StaticSearch::off_to_on(int node, Emit emit) const {
  const auto& at = ctx_.link_begin[static_cast<std::size_t>(node_candidate(node))];
  for (std::uint32_t i = pass_.y ? at[2] : at[3], end = pass_.x ? at[4] : at[3]; i < end; ++i) {
    emit(ctx_.links[i] & 0x7FF, static_cast<Cause>(ctx_.links[i] >> 11));
  }
}

std::uint32_t StaticSearch::store_path(std::int32_t instance, int last, Cause cause, std::uint16_t& length) {
  const auto begin = static_cast<std::uint32_t>(ctx_.paths.size());
  for (std::int32_t at = instance; at >= 0; at = ctx_.instances[static_cast<std::size_t>(at)].parent) {
    const Instance& i = ctx_.instances[static_cast<std::size_t>(at)];
    ctx_.paths.push_back(pack(i.node, i.cause));
  }
  std::reverse(ctx_.paths.begin() + begin, ctx_.paths.end());
  if (last >= 0) ctx_.paths.push_back(pack(last, cause));
  length = static_cast<std::uint16_t>(ctx_.paths.size() - begin);
  return begin;
}

void StaticSearch::cycles(int start) {
  // The false nodes that lead straight back to the start; only these are
  // worth reaching again from another true node.
  std::array<int, 4> closers{};
  int closer_count = 0;
  off_to_on(opposite(start),
            [&](int node, Cause) { closers[static_cast<std::size_t>(closer_count++)] = opposite(node); });
  if (closer_count == 0) return;
  auto is_closer = [&](int node) {
    for (int k = 0; k < closer_count; ++k) {
      if (closers[static_cast<std::size_t>(k)] == node) return true;
    }
    return false;
  };

  new_search();
  ctx_.layer.assign(1, add(start, Cause::start, -1, true));
  for (int depth = 0; !ctx_.layer.empty(); depth += 2) {
    // A cycle closed from the next false layer has depth + 2 nodes, and
    // at least four.
    const int shortest = std::max(depth + 2, 4);
    if (!out_.wanted(chain_rating(pass_.cycle_base, shortest), shortest, pass_.kind)) return;
    ctx_.next_layer.clear();
    for (const std::int32_t on : ctx_.layer) {
      on_to_off(ctx_.instances[static_cast<std::size_t>(on)].node, [&](int node, Cause cause) {
        if (!derived(node)) {
          ctx_.next_layer.push_back(add(node, cause, on, true));
        } else if (is_closer(node) && !is_ancestor(on, node)) {
          ctx_.next_layer.push_back(add(node, cause, on, false));
        }
      });
    }
    ctx_.layer.clear();
    for (const std::int32_t off : ctx_.next_layer) {
      const int off_node = ctx_.instances[static_cast<std::size_t>(off)].node;
      const bool first = ctx_.instance_of[static_cast<std::size_t>(off_node)] == off;
      bool closed = false;
      off_to_on(off_node, [&](int node, Cause cause) {
        if (node == start) {
          if (depth + 2 < 4 || closed) return;
          ChainHint hint;
          hint.shape = HintShape::cycle;
          hint.kind = pass_.kind;
          hint.start = static_cast<std::int16_t>(start);
          hint.complexity = depth + 2;
          hint.rating = chain_rating(pass_.cycle_base, hint.complexity);
          if (!out_.wanted(hint.rating, hint.complexity, hint.kind)) return;
          const std::size_t mark = ctx_.paths.size();
          hint.path = store_path(off, start, cause, hint.path_length);
          std::vector<Candidate>& struck = ctx_.struck;
          cycle_eliminations(ctx_, hint, grid_, struck);
          if (struck.empty() || !out_.offer(hint, ctx_)) {
            ctx_.paths.resize(mark);
            return;
          }
          closed = true;
        } else if (first && !derived(node)) {
          ctx_.layer.push_back(add(node, cause, off, true));
        }
      });
      // Any other cycle from this start would be as long or longer, and
      // found later.
      if (closed && !out_.all()) return;
    }
  }
}

void StaticSearch::forcing(int start) {
  const int target = opposite(start);
  new_search();
  ctx_.layer.assign(1, add(start, Cause::start, -1, true));
  for (int depth = 0; !ctx_.layer.empty(); ++depth) {
    if (!out_.wanted(chain_rating(pass_.forcing_base, depth + 2), depth + 2, pass_.kind)) return;
    ctx_.next_layer.clear();
    const bool on = node_on(ctx_.instances[static_cast<std::size_t>(ctx_.layer[0])].node);
    bool found = false;
    for (const std::int32_t at : ctx_.layer) {
      auto visit = [&](int node, Cause cause) {
        if (found) return;
        if (node == target) {
          found = true;
          ChainHint hint;
          hint.shape = HintShape::forcing;
          hint.kind = pass_.kind;
          hint.start = static_cast<std::int16_t>(start);
          hint.target = static_cast<std::int16_t>(target);
          hint.complexity = depth + 2;
          hint.rating = chain_rating(pass_.forcing_base, hint.complexity);
          const std::size_t mark = ctx_.paths.size();
          hint.path = store_path(at, target, cause, hint.path_length);
          if (!out_.offer(hint, ctx_)) ctx_.paths.resize(mark);
        } else if (!derived(node)) {
          ctx_.next_layer.push_back(add(node, cause, at, true));
        }
      };
      const int node = ctx_.instances[static_cast<std::size_t>(at)].node;
      if (on) {
        on_to_off(node, visit);
      } else {
        off_to_on(node, visit);
      }
      if (found) return;
    }
    std::swap(ctx_.layer, ctx_.next_layer);
  }
}

void StaticSearch::run_pass(int pass) {
  pass_ = kPasses[pass];
  for (int cell = 0; cell < 81; ++cell) {
    const unsigned candidates = grid_.candidates(cell);
    const int count = bit_count(candidates);
    if (count < 2 || (!pass_.x && count != 2)) continue;
    for (unsigned rest = candidates; rest != 0; rest &= rest - 1) {
      const int digit = std::countr_zero(rest);
      const int on = node_id(cell, digit, true);
      // A chain that ends in a true node comes to it from a false node of
      // the candidate's cell or houses: without such a link, the start can
      // be neither closed into a cycle nor proved true.
      const bool closable = reachable(on);
      if (closable) cycles(on);
      if (pass_.x) {
        if (refutable(on)) forcing(on);
        if (closable) forcing(opposite(on));
      }
    }
  }
}

}  // namespace

void cycle_eliminations(const ChainContext& ctx, const ChainHint& hint, const Grid& grid,
                        std::vector<Candidate>& out) {
  out.clear();
  std::array<CellSet, 10> on_cells{}, off_cells{};
  CellSet cycle_cells;
  for (std::uint32_t i = 0; i < hint.path_length; ++i) {
    const int node = ctx.paths[hint.path + i] & 0x7FF;
    (node_on(node) ? on_cells : off_cells)[static_cast<std::size_t>(node_digit(node))].add(node_cell(node));
    cycle_cells.add(node_cell(node));
  }
  for (int digit = 1; digit <= 9; ++digit) {
    const auto d = static_cast<std::size_t>(digit);
    if (on_cells[d].empty() || off_cells[d].empty()) continue;
    CellSet sees_on, sees_off;
    for (const int cell : on_cells[d]) sees_on |= kPeers[cell];
    for (const int cell : off_cells[d]) sees_off |= kPeers[cell];
    for (const int cell : (grid.positions(digit) & sees_on & sees_off).minus(cycle_cells)) {
      out.push_back(candidate(cell, digit));
    }
  }
  std::sort(out.begin(), out.end());
}

void search_static_chains(ChainWork& work, int depth, const Grid& grid, HintCollector& out) {
  ChainContext& ctx = work.context(depth);
  StaticSearch search(ctx, grid, out);
  search.make_links();
  for (int pass = 0; pass < 3; ++pass) search.run_pass(pass);
}

bool find_forcing_chains(const Grid& grid, Step& step, Workspace& work) {
  ChainContext& ctx = work.chains().context(0);
  reset_context(ctx);
  HintCollector out(false);
  search_static_chains(work.chains(), 0, grid, out);
  if (!out.found()) return false;
  fill_chain_step(ctx, out.best(), grid, nullptr, step);
  return true;
}

}  // namespace quorlen::logic
