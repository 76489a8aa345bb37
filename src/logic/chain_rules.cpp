// What a dynamic chain with "+" (level 1 and up) does when its links run
// out: simple techniques on the grid it has reduced so far, and from level
// 2 whole chain searches. The first rule that strikes anything supplies all
// it strikes, in the order it finds it; each struck candidate becomes a
// false node that rests on the candidates, among those the chain struck,
// that the rule needed:
//
//   pointing, claiming  the digit's lost places in the first house outside
//                       the second
//   hidden pair         the two digits' lost places in the house
//   naked pair          the two cells' lost candidates
//   X-Wing              the digit's lost places in the base lines outside
//                       the cover lines
//   a chain search      the struck candidates its links needed (a cell down
//                       to two candidates, a digit down to two places)
//
//   level 1  pointing and claiming, hidden pair, naked pair, X-Wing
//   level 2  and forcing chains and cycles
//   level 3  and multiple chains
//   level 4  only a dynamic search of the inner level (0 to 3)
//
// The nested search's complexity adds to the outer hint's.
#include <bit>

#include "logic/chains.h"
#include "logic/combinations.h"

namespace quorlen::logic {
namespace {

constexpr unsigned kBoxRow[3] = {0x007, 0x038, 0x1C0};
constexpr unsigned kBoxColumn[3] = {0x049, 0x092, 0x124};
constexpr unsigned kSegment[3] = {0x007, 0x038, 0x1C0};

class Rules {
 public:
  Rules(ChainWork& work, int depth, const Grid& source, const Grid& current)
      : work_(work), depth_(depth), ctx_(work.context(depth)), source_(source), current_(current) {}

  bool locking();
  bool hidden_pair();
  bool naked_pair();
  bool x_wing();
  bool nested(const ChainMode* mode);

 private:
  // The candidates of `digit` in `cells` that the chain struck.
  void lost(CellSet cells, int digit) {
    for (const int cell : (source_.positions(digit) & cells).minus(current_.positions(digit))) {
      ctx_.rule_parents.push_back(static_cast<std::uint16_t>(cell * 9 + digit - 1));
    }
  }
  std::uint32_t begin_parents() const { return static_cast<std::uint32_t>(ctx_.rule_parents.size()); }
  void strike(int cell, int digit, std::uint32_t parents) {
    RuleElimination e;
    e.candidate = static_cast<std::uint16_t>(cell * 9 + digit - 1);
    e.parents = parents;
    e.parent_count = static_cast<std::uint16_t>(ctx_.rule_parents.size() - parents);
    ctx_.rule_eliminations.push_back(e);
  }
  int empty_count(int house) const { return (current_.empty_cells() & kHouseSet[house]).size(); }

  ChainWork& work_;
  int depth_;
  ChainContext& ctx_;
  const Grid& source_;
  const Grid& current_;
};

bool Rules::locking() {
  // Boxes into columns, boxes into rows, columns into boxes, rows into
  // boxes; by digit, then the first house, then the second.
  bool found = false;
  for (int order = 0; order < 4; ++order) {
    for (int digit = 1; digit <= 9; ++digit) {
      for (int k = 0; k < 9; ++k) {
        const int from = order < 2 ? box_house(k) : order == 2 ? column_house(k) : row_house(k);
        const unsigned places = current_.places(from, digit);
        if (!several_bits(places)) continue;
        for (int part = 0; part < 3; ++part) {
          int to = 0;
          if (order == 0) {
            if ((places & ~kBoxColumn[part]) != 0) continue;
            to = column_house(k % 3 * 3 + part);
          } else if (order == 1) {
            if ((places & ~kBoxRow[part]) != 0) continue;
            to = row_house(k / 3 * 3 + part);
          } else {
            if ((places & ~kSegment[part]) != 0) continue;
            to = order == 2 ? box_house(part * 3 + k / 3) : box_house(k / 3 * 3 + part);
          }
          const CellSet struck = (current_.positions(digit) & kHouseSet[to]).minus(kHouseSet[from]);
          if (struck.empty()) continue;
          const std::uint32_t parents = begin_parents();
          lost(kHouseSet[from].minus(kHouseSet[to]), digit);
          for (const int cell : struck) strike(cell, digit, parents);
          found = true;
        }
      }
    }
  }
  return found;
}

bool Rules::hidden_pair() {
  bool found = false;
  for (const int house : kScanOrder) {
    if (empty_count(house) <= 4) continue;
    unsigned pool = 0;
    for (int digit = 1; digit <= 9; ++digit) {
      if (two_bits(current_.places(house, digit))) pool |= 1u << digit;
    }
    for_each_combination(pool, 2, [&](unsigned digits) {
      const unsigned places = current_.places(house, std::countr_zero(digits)) |
                              current_.places(house, 31 - std::countl_zero(digits));
      if (!two_bits(places)) return false;
      const CellSet cells = cells_at_places(house, places);
      unsigned others = 0;
      for (const int cell : cells) others |= current_.candidates(cell) & ~digits;
      if (others == 0) return false;
      const std::uint32_t parents = begin_parents();
      for (unsigned d = digits; d != 0; d &= d - 1) lost(kHouseSet[house], std::countr_zero(d));
      for (const int cell : cells) {
        for (unsigned rest = current_.candidates(cell) & ~digits; rest != 0; rest &= rest - 1) {
          strike(cell, std::countr_zero(rest), parents);
        }
      }
      found = true;
      return false;
    });
  }
  return found;
}

bool Rules::naked_pair() {
  bool found = false;
  for (const int house : kScanOrder) {
    if (empty_count(house) < 4) continue;
    unsigned pool = 0;
    for (int i = 0; i < 9; ++i) {
      if (two_bits(current_.candidates(house_cell(house, i)))) pool |= 1u << i;
    }
    for_each_combination(pool, 2, [&](unsigned pair) {
      const int a = house_cell(house, std::countr_zero(pair));
      const int b = house_cell(house, 31 - std::countl_zero(pair));
      const unsigned digits = current_.candidates(a) | current_.candidates(b);
      if (!two_bits(digits)) return false;
      const CellSet others = kHouseSet[house].minus(CellSet::of(a)).minus(CellSet::of(b));
      bool strikes = false;
      for (unsigned d = digits; d != 0; d &= d - 1)
        strikes |= current_.positions(std::countr_zero(d)).intersects(others);
      if (!strikes) return false;
      const std::uint32_t parents = begin_parents();
      for (const int cell : {a, b}) {
        for (unsigned gone = source_.candidates(cell) & ~current_.candidates(cell); gone != 0;
             gone &= gone - 1) {
          ctx_.rule_parents.push_back(static_cast<std::uint16_t>(cell * 9 + std::countr_zero(gone) - 1));
        }
      }
      for (const int cell : others) {
        for (unsigned rest = current_.candidates(cell) & digits; rest != 0; rest &= rest - 1) {
          strike(cell, std::countr_zero(rest), parents);
        }
      }
      found = true;
      return false;
    });
  }
  return found;
}

bool Rules::x_wing() {
  // Columns as the base first, then rows; pairs of base lines in colex
  // order, and for each pair the digits rising.
  bool found = false;
  for (const bool columns : {true, false}) {
    auto line = [columns](int index) { return columns ? column_house(index) : row_house(index); };
    for_each_combination(0x1FF, 2, [&](unsigned base) {
      const int first = std::countr_zero(base);
      const int second = 31 - std::countl_zero(base);
      for (int digit = 1; digit <= 9; ++digit) {
        if (9 - current_.placed_count(digit) < 4) continue;
        const unsigned a = current_.places(line(first), digit);
        const unsigned b = current_.places(line(second), digit);
        if (a != b || !two_bits(a)) continue;
        const CellSet base_cells = kHouseSet[line(first)] | kHouseSet[line(second)];
        CellSet cover;
        for (unsigned rest = a; rest != 0; rest &= rest - 1) {
          cover |=
              kHouseSet[columns ? row_house(std::countr_zero(rest)) : column_house(std::countr_zero(rest))];
        }
        const CellSet struck = (current_.positions(digit) & cover).minus(base_cells);
        if (struck.empty()) continue;
        const std::uint32_t parents = begin_parents();
        lost(base_cells.minus(cover), digit);
        for (const int cell : struck) strike(cell, digit, parents);
        found = true;
      }
      return false;
    });
  }
  return found;
}

bool Rules::nested(const ChainMode* mode) {
  ChainContext& inner = work_.context(depth_ + 1);
  reset_context(inner);
  HintCollector all(true);
  if (mode == nullptr) {
    search_static_chains(work_, depth_ + 1, current_, all);
  } else {
    search_multiple_chains(work_, depth_ + 1, current_, *mode, all);
  }
  if (!all.found()) return false;
  all.sort_all(inner);
  bool found = false;
  for (const ChainHint& hint : inner.sorted) {
    hint_removals(inner, hint, current_, inner.removals);
    if (inner.removals.empty()) continue;
    hint_rule_parents(inner, hint, source_, current_, inner.relied);
    const auto nested_index = static_cast<std::int32_t>(ctx_.nested_chains.size());
    ctx_.nested_chains.push_back({hint_fingerprint(inner, hint), hint.complexity});
    const std::uint32_t parents = begin_parents();
    ctx_.rule_parents.insert(ctx_.rule_parents.end(), inner.relied.begin(), inner.relied.end());
    for (const std::uint16_t c : inner.removals) {
      strike(c / 9, c % 9 + 1, parents);
      ctx_.rule_eliminations.back().nested = nested_index;
    }
    found = true;
  }
  return found;
}

}  // namespace

void run_chain_rules(ChainWork& work, int depth, const Grid& source, const Grid& current,
                     const ChainMode& mode) {
  Rules rules(work, depth, source, current);
  if (mode.level >= 4) {
    const ChainMode inner{ChainSearch::dynamic, mode.inner_level, 0};
    rules.nested(&inner);
    return;
  }
  if (rules.locking() || rules.hidden_pair() || rules.naked_pair() || rules.x_wing()) return;
  if (mode.level >= 2 && rules.nested(nullptr)) return;
  if (mode.level >= 3) {
    const ChainMode multiple{ChainSearch::multiple, 0, 0};
    rules.nested(&multiple);
  }
}

}  // namespace quorlen::logic
