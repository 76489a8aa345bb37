// Deriving everything that follows from one assumption, as dynamic,
// multiple and Nishio chains do.
//
// Two queues, one of "on" nodes and one of "off" nodes; an "on" node is
// always taken before an "off" one. A node's consequences:
//
//   on  -> off   the cell's other candidates (rising digits), then the digit
//                in the cell's box, row and column (each in reading order,
//                a cell met twice counted at its first place)
//   off -> on    the cell's other candidate if it has two; for box, row and
//                column, the digit's other place if it has two there
//
// A dynamic chain strikes each "off" node from a scratch copy of the grid
// once its consequences are known, so that later nodes see the reduced
// grid; a node that a reduced cell or house gives also rests on the
// candidates struck there before ("hidden parents"). A node is derived
// once, with the reasons of its first derivation. A node whose opposite is
// already derived ends the propagation: that pair is a contradiction.
#include <bit>
#include <cassert>

#include "logic/chains.h"

namespace quorlen::logic {
namespace {

constexpr std::uint16_t kNone = 0xFFFF;

// A node about to be derived, with its reasons.
struct Pending {
  int node = 0;
  Cause cause = Cause::start;
  int parent_count = 0;
  std::array<std::uint16_t, 10> parents{};  // the first parent and up to 8 hidden ones
};

class Propagator {
 public:
  Propagator(ChainWork& work, int depth, const Grid& grid, const ChainMode& mode)
      : work_(work), depth_(depth), ctx_(work.context(depth)), source_(grid), mode_(mode) {}

  int run(int start);

 private:
  bool derived(int node) const { return where_[node] != kNone; }
  // Appends an entry; derived (and queued) unless it is the losing half of
  // a contradiction.
  std::uint32_t add_entry(const Pending& pending, bool keep);
  void on_to_off(int node);
  void off_to_on(int node);
  // Queues an "off" node; false when it contradicts a derived "on" node.
  bool offer_off(int node, int parent, Cause cause);
  bool offer_on(const Pending& pending);
  bool run_rules();
  void contradiction(const Pending& pending) {
    branch().absurd = static_cast<std::int32_t>(add_entry(pending, false));
  }
  ChainBranch& branch() { return ctx_.branches[static_cast<std::size_t>(branch_)]; }

  ChainWork& work_;
  int depth_;
  ChainContext& ctx_;
  const Grid& source_;
  const Grid* current_ = nullptr;
  ChainMode mode_;
  int branch_ = 0;
  std::uint16_t* where_ = nullptr;
  int on_head_ = 0, on_tail_ = 0, off_head_ = 0, off_tail_ = 0;
};

std::uint32_t Propagator::add_entry(const Pending& pending, bool keep) {
  ChainEntry entry;
  entry.node = static_cast<std::uint16_t>(pending.node);
  entry.cause = pending.cause;
  entry.parents = static_cast<std::uint32_t>(ctx_.parents.size());
  entry.parent_count = static_cast<std::uint16_t>(pending.parent_count);
  if (pending.parent_count > 0) {
    const std::uint16_t first = where_[pending.parents[0]];
    entry.depth = static_cast<std::uint16_t>(ctx_.entries[branch().first + first].depth + 1);
  }
  for (int i = 0; i < pending.parent_count; ++i)
    ctx_.parents.push_back(pending.parents[static_cast<std::size_t>(i)]);
  const auto index = static_cast<std::uint32_t>(ctx_.entries.size() - branch().first);
  ctx_.entries.push_back(entry);
  if (keep) {
    where_[pending.node] = static_cast<std::uint16_t>(index);
    ++branch().count;
    if (node_on(pending.node)) {
      ctx_.on_queue[static_cast<std::size_t>(on_tail_++)] = static_cast<std::uint16_t>(pending.node);
    } else {
      ctx_.off_queue[static_cast<std::size_t>(off_tail_++)] = static_cast<std::uint16_t>(pending.node);
    }
  }
  return index;
}

bool Propagator::offer_off(int node, int parent, Cause cause) {
  const bool absurd = derived(opposite(node));
  if (!absurd && derived(node)) return true;
  Pending pending;
  pending.node = node;
  pending.cause = cause;
  pending.parent_count = 1;
  pending.parents[0] = static_cast<std::uint16_t>(parent);
  if (absurd) {
    contradiction(pending);
    return false;
  }
  add_entry(pending, true);
  return true;
}

bool Propagator::offer_on(const Pending& pending) {
  if (derived(opposite(pending.node))) {
    contradiction(pending);
    return false;
  }
  if (!derived(pending.node)) add_entry(pending, true);
  return true;
}

void Propagator::on_to_off(int node) {
  const int cell = node_cell(node);
  const int digit = node_digit(node);
  if (mode_.y_rule()) {
    for (unsigned rest = current_->candidates(cell) & ~(1u << digit); rest != 0; rest &= rest - 1) {
      if (!offer_off(node_id(cell, std::countr_zero(rest), false), node, Cause::cell)) return;
    }
  }
  const CellSet places = current_->positions(digit);
  const auto houses = cell_houses(cell);
  const CellSet box = kHouseSet[houses[0]];
  for (int i = 0; i < 3; ++i) {
    CellSet peers = places & kHouseSet[houses[static_cast<std::size_t>(i)]];
    if (i > 0) peers = peers.minus(box);
    peers.remove(cell);
    for (const int peer : peers) {
      if (!offer_off(node_id(peer, digit, false), node, house_cause(houses[static_cast<std::size_t>(i)])))
        return;
    }
  }
}

void Propagator::off_to_on(int node) {
  const int cell = node_cell(node);
  const int digit = node_digit(node);
  std::array<Pending, 4> found;
  int count = 0;
  if (mode_.y_rule()) {
    const unsigned left = current_->candidates(cell);
    if (two_bits(left)) {
      Pending& on = found[static_cast<std::size_t>(count++)];
      on.node = node_id(cell, std::countr_zero(left & ~(1u << digit)), true);
      on.cause = Cause::cell;
      on.parents[static_cast<std::size_t>(on.parent_count++)] = static_cast<std::uint16_t>(node);
      for (unsigned gone = source_.candidates(cell) & ~left; gone != 0; gone &= gone - 1) {
        on.parents[static_cast<std::size_t>(on.parent_count++)] =
            static_cast<std::uint16_t>(node_id(cell, std::countr_zero(gone), false));
      }
    }
  }
  for (const int house : cell_houses(cell)) {
    const unsigned places = current_->places(house, digit);
    if (!two_bits(places)) continue;
    const int other = house_cell(house, std::countr_zero(places & ~(1u << place_in_house(house, cell))));
    const int on_node = node_id(other, digit, true);
    bool again = false;
    for (int i = 0; i < count; ++i) again |= found[static_cast<std::size_t>(i)].node == on_node;
    if (again) continue;
    Pending& on = found[static_cast<std::size_t>(count++)];
    on.node = on_node;
    on.cause = house_cause(house);
    on.parents[static_cast<std::size_t>(on.parent_count++)] = static_cast<std::uint16_t>(node);
    for (unsigned gone = source_.places(house, digit) & ~places; gone != 0; gone &= gone - 1) {
      on.parents[static_cast<std::size_t>(on.parent_count++)] =
          static_cast<std::uint16_t>(node_id(house_cell(house, std::countr_zero(gone)), digit, false));
    }
  }
  if (mode_.dynamic()) ctx_.scratch.eliminate(cell, digit);
  for (int i = 0; i < count; ++i) {
    if (!offer_on(found[static_cast<std::size_t>(i)])) return;
  }
}

bool Propagator::run_rules() {
  ctx_.rule_eliminations.clear();
  ctx_.rule_parents.clear();
  run_chain_rules(work_, depth_, source_, *current_, mode_);
  bool added = false;
  for (const RuleElimination& found : ctx_.rule_eliminations) {
    const int node = found.candidate * 2;
    if (derived(node)) continue;
    ChainEntry entry;
    entry.node = static_cast<std::uint16_t>(node);
    entry.cause = found.nested >= 0 ? Cause::nested : Cause::rule;
    entry.nested = found.nested;
    entry.parents = static_cast<std::uint32_t>(ctx_.parents.size());
    int deepest = 0;
    for (std::uint32_t i = 0; i < found.parent_count; ++i) {
      const int parent = ctx_.rule_parents[found.parents + i] * 2;
      // Every candidate struck since the start was struck by a derived node.
      assert(derived(parent));
      if (!derived(parent)) continue;
      ctx_.parents.push_back(static_cast<std::uint16_t>(parent));
      ++entry.parent_count;
      deepest = std::max(deepest, ctx_.entries[branch().first + where_[parent]].depth + 1);
    }
    entry.depth = static_cast<std::uint16_t>(deepest);
    where_[node] = static_cast<std::uint16_t>(ctx_.entries.size() - branch().first);
    ctx_.entries.push_back(entry);
    ++branch().count;
    ctx_.off_queue[static_cast<std::size_t>(off_tail_++)] = static_cast<std::uint16_t>(node);
    added = true;
  }
  return added;
}

int Propagator::run(int start) {
  branch_ = static_cast<int>(ctx_.branches.size());
  ChainBranch fresh;
  fresh.first = static_cast<std::uint32_t>(ctx_.entries.size());
  fresh.index = static_cast<std::uint32_t>(branch_);
  ctx_.branches.push_back(fresh);
  const std::size_t slot = static_cast<std::size_t>(branch_) * kNodeCount;
  if (ctx_.where.size() < slot + kNodeCount) ctx_.where.resize(slot + kNodeCount);
  where_ = ctx_.where.data() + slot;
  std::fill(where_, where_ + kNodeCount, kNone);
  current_ = &source_;
  if (mode_.dynamic()) {
    ctx_.scratch = source_;
    current_ = &ctx_.scratch;
  }

  Pending first;
  first.node = start;
  add_entry(first, true);
  while (branch().absurd < 0) {
    if (on_head_ < on_tail_) {
      on_to_off(ctx_.on_queue[static_cast<std::size_t>(on_head_++)]);
    } else if (off_head_ < off_tail_) {
      off_to_on(ctx_.off_queue[static_cast<std::size_t>(off_head_++)]);
    } else if (mode_.level == 0 || !run_rules()) {
      break;
    }
  }
  return branch_;
}

}  // namespace

int propagate(ChainWork& work, int depth, const Grid& grid, const ChainMode& mode, int start) {
  Propagator propagator(work, depth, grid, mode);
  return propagator.run(start);
}

void reset_context(ChainContext& ctx) {
  ctx.entries.clear();
  ctx.parents.clear();
  ctx.branches.clear();
  ctx.memo_on.fill(-1);
  ctx.nested_chains.clear();
  ctx.hints.clear();
  ctx.paths.clear();
}

int entry_of(const ChainContext& ctx, const ChainBranch& branch, int node) {
  const std::uint16_t index =
      ctx.where[static_cast<std::size_t>(branch.index) * kNodeCount + static_cast<std::size_t>(node)];
  return index == kNone ? -1 : index;
}

int count_ancestors(ChainContext& ctx, const ChainBranch& branch, int entry) {
  ctx.seen.next();
  const std::uint16_t* where = ctx.where.data() + static_cast<std::size_t>(branch.index) * kNodeCount;
  ctx.stack.clear();
  ctx.stack.push_back(static_cast<std::uint32_t>(entry));
  ctx.seen.mark(ctx.entries[branch.first + static_cast<std::uint32_t>(entry)].node);
  int count = 0;
  while (!ctx.stack.empty()) {
    const ChainEntry& at = ctx.entries[branch.first + ctx.stack.back()];
    ctx.stack.pop_back();
    ++count;
    if (at.nested >= 0) {
      const NestedChain& nested = ctx.nested_chains[static_cast<std::size_t>(at.nested)];
      bool met = false;
      for (const std::int32_t other : ctx.nested_met) {
        met |= ctx.nested_chains[static_cast<std::size_t>(other)].fingerprint == nested.fingerprint;
      }
      if (!met) ctx.nested_met.push_back(at.nested);
    }
    for (std::uint32_t i = 0; i < at.parent_count; ++i) {
      const std::uint16_t parent = ctx.parents[at.parents + i];
      if (ctx.seen.has(parent)) continue;
      ctx.seen.mark(parent);
      ctx.stack.push_back(where[parent]);
    }
  }
  return count;
}

}  // namespace quorlen::logic
