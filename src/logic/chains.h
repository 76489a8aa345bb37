// The chain family's parts, shared by its files:
//   chain_propagation.cpp   deriving nodes from an assumption (dynamic,
//                           multiple and Nishio chains)
//   chain_rules.cpp         the simpler techniques run inside dynamic
//                           chains with "+", and nested chain searches
//   chains_static.cpp       forcing chains and cycles
//   chains_dynamic.cpp      Nishio, multiple and dynamic chains
//   chain_hints.cpp         complexity, ratings, and the step a hint becomes
//   chain_guard.cpp         whether the deepest searches can find anything
//
// How hard a chain is: its base rating plus 0.1 for each threshold its
// length passes (see chain_rating). Every search collects all its hints and
// takes the easiest: lowest rating, then lowest complexity, then the kind
// below, then the first found.
//
// What a search costs. A propagation derives each of the 1,458 nodes at
// most once, and a node has at most 28 consequences; a dynamic chain with
// "+" runs its rules only when its queues are empty, and every round after
// the first follows a new node, so there are at most 729 rounds. A static
// search derives each node once per start and reaches a false node again
// only where that closes a cycle (at most four per true node). Every
// search is thus bounded by a polynomial in the candidates left, and
// allocates nothing once its buffers have grown. Measured on one core: a
// whole rating at 7.5 and up takes tens of milliseconds; a nested search
// of level 2 or 3 a fraction of a second, level 4 with plain dynamic
// chains inside a second or two; with deeper ones inside (levels 4/2 and
// 4/3) half a minute on a grid half solved, and far longer on a full one,
// which the hardest puzzles tried (rated up to 11.6 here) never came to.
// On a grid without exactly one solution, where they could only fail
// after all that, the nested levels give up at once (chain_guard.cpp).
#pragma once

#include "logic/chain_work.h"
#include "logic/grid.h"
#include "logic/step.h"

namespace quorlen::logic {

// The tie-break between hints of equal rating and complexity.
enum HintKind : int {
  kind_double = 1,         // a node that follows from a candidate and from its absence
  kind_x = 2,              // one digit only
  kind_y = 3,              // bivalue cells only
  kind_xy = 4,             // both
  kind_cell = 5,           // a node that follows from every candidate of a cell
  kind_region = 6,         // from every place of a digit in a house
  kind_contradiction = 7,  // an assumption that leads to a contradiction (and Nishio)
};

// How a search derives nodes and which hints it looks for.
enum class ChainSearch : std::uint8_t { nishio, multiple, dynamic };
struct ChainMode {
  ChainSearch search = ChainSearch::dynamic;
  int level = 0;        // dynamic: 0 plain, 1 with simple techniques, 2..4 nested
  int inner_level = 0;  // level 4: the level of the dynamic search inside
  bool dynamic() const { return search != ChainSearch::multiple; }
  bool y_rule() const { return search != ChainSearch::nishio; }
};

// The rating the rater gives a chain: `base` plus 0.1 for each length
// threshold (4, 6, 8, 12, 16, 24, ...) that complexity - 2 passes, added up
// in floating point as it does.
double chain_rating(double base, int complexity);
// The same in tenths, as steps carry it.
int rating_tenths(double rating);

// The order hints are taken in; true when `a` comes before `b` (found
// order breaking the last ties).
bool hint_before(const ChainHint& a, const ChainHint& b);

// Collects a search's hints: either all of them (a nested search, whose
// every conclusion its outer chain uses) or only the one that comes first.
class HintCollector {
 public:
  explicit HintCollector(bool all) : all_(all) {}
  bool all() const { return all_; }
  // Whether a hint of this rating, complexity and kind, found now, could
  // come first: used to stop searching where only longer chains are left.
  bool wanted(double rating, int complexity, int kind) const;
  // Takes the hint (its order is set here); false when it is not wanted.
  bool offer(ChainHint hint, ChainContext& ctx);
  bool found() const { return count_ > 0; }
  const ChainHint& best() const { return best_; }
  // All mode: the hints in the order they are taken (a stable sort).
  void sort_all(ChainContext& ctx) const;

 private:
  bool all_;
  int count_ = 0;
  ChainHint best_;
};

// Derives everything that follows from `start` on `grid` and records it as
// a branch of the context at `depth`; returns its index.
int propagate(ChainWork& work, int depth, const Grid& grid, const ChainMode& mode, int start);

// Sets a context up for a new search: its branches and hints dropped.
void reset_context(ChainContext& ctx);

// The entry of `node` in a branch, or -1.
int entry_of(const ChainContext& ctx, const ChainBranch& branch, int node);

// The distinct nodes a branch's entry rests on, itself included; the nested
// chains met are added to ctx.nested_met (each once).
int count_ancestors(ChainContext& ctx, const ChainBranch& branch, int entry);

// The searches. Each runs on `grid` with the context at `depth` and hands
// its hints to `out`.
void search_static_chains(ChainWork& work, int depth, const Grid& grid, HintCollector& out);
void search_multiple_chains(ChainWork& work, int depth, const Grid& grid, const ChainMode& mode,
                            HintCollector& out);

// Runs the rules a dynamic chain of `mode.level` adds once its links run
// out, on `current` (the grid reduced from `source` by the chain so far);
// their eliminations go to ctx.rule_eliminations (at `depth`), the
// candidates each relied on among those struck since the start to
// ctx.rule_parents. Only the first rule that finds anything is used.
void run_chain_rules(ChainWork& work, int depth, const Grid& source, const Grid& current,
                     const ChainMode& mode);

// What a hint found at `depth` strikes on `grid`: its placement's other
// candidates, its eliminations (candidate numbers, cell * 9 + digit - 1).
void hint_removals(ChainContext& ctx, const ChainHint& hint, const Grid& grid,
                   std::vector<std::uint16_t>& out);
// The candidates struck between `source` and `current` that the hint's
// links relied on (a bivalue cell, a digit's two places in a house).
void hint_rule_parents(ChainContext& ctx, const ChainHint& hint, const Grid& source, const Grid& current,
                       std::vector<std::uint16_t>& out);
// A number that tells a hint's chains from another's.
std::uint64_t hint_fingerprint(ChainContext& ctx, const ChainHint& hint);

// A cycle's eliminations: the candidates that see a true and a false node
// of their digit on the cycle (one of the two holds, whichever way round
// the cycle goes).
void cycle_eliminations(const ChainContext& ctx, const ChainHint& hint, const Grid& grid,
                        std::vector<Candidate>& out);

// Whether the grid, with its candidates as they are, has exactly one
// solution (chain_guard.cpp).
bool has_one_solution(const Grid& grid);

// The step a hint of a top-level search becomes.
void fill_chain_step(const ChainContext& ctx, const ChainHint& hint, const Grid& grid, const ChainMode* mode,
                     Step& step);

}  // namespace quorlen::logic
