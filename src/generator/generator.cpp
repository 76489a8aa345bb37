#include "generator/generator.h"

#include <algorithm>
#include <array>
#include <vector>

#include "board/board.h"
#include "board/units.h"
#include "generator/random.h"
#include "generator/solved_grid.h"
#include "solver/complete_search.h"

namespace quorlen {
namespace {

// The digits given in each unit, as bits 1..9.
class GivenDigits {
 public:
  explicit GivenDigits(const DigitGrid& puzzle) {
    for (int index = 0; index < 81; ++index) {
      const unsigned bit = (1u << puzzle[index]) & kAllDigits;  // nothing for an empty cell
      for (const int unit : kCellUnitIndexes[index + 1]) used_[unit] |= bit;
    }
  }
  // Whether the givens alone put `digit` in the empty cell `index`: every
  // other digit is given among its peers, or no other empty cell of one of
  // its units can take the digit. Then the puzzle has the same solutions
  // without that given as with it, and no search need say so.
  bool force(const DigitGrid& puzzle, int index, int digit) const {
    const unsigned bit = 1u << digit;
    if ((seen_from(index) | bit) == kAllDigits) return true;
    for (const int unit : kCellUnitIndexes[index + 1]) {
      bool elsewhere = false;
      for (int pos = 1; pos <= 9 && !elsewhere; ++pos) {
        const int other = kUnitCells[unit + 1][pos] - 1;
        elsewhere = other != index && puzzle[other] == 0 && (seen_from(other) & bit) == 0;
      }
      if (!elsewhere) return true;
    }
    return false;
  }

 private:
  unsigned seen_from(int index) const {
    const auto& units = kCellUnitIndexes[index + 1];
    return used_[units[0]] | used_[units[1]] | used_[units[2]];
  }

  std::array<unsigned, 27> used_{};  // by unit number minus one
};

// Whether a puzzle with one solution stays within what was asked; empty
// for no bound.
using Cap = std::function<bool(const DigitGrid&)>;

// A solved grid carved into a puzzle, a given at a time (with --symmetric,
// a cell and its partner under a half turn at a time: grid index i, down
// the columns, and 80 - i; the centre cell 40 is its own partner).
class Carver {
 public:
  // `give_up` is asked before each given is tried: once it is true, the
  // carving stops where it is and gave_up() says so.
  Carver(const DigitGrid& solution, bool symmetric, const Cap& cap, std::mt19937_64& random,
         const std::function<bool()>& give_up)
      : solution_(solution),
        puzzle_(solution),
        symmetric_(symmetric),
        cap_(cap),
        random_(random),
        give_up_(give_up) {}

  const DigitGrid& puzzle() const { return puzzle_; }
  bool gave_up() const { return gave_up_; }

  // Each given tried once, in a random order: it goes if the puzzle keeps
  // one solution and rates at most the cap. One pass is enough for a
  // puzzle that the cap does not hold back to be minimal: a given that was
  // needed stays needed as others go.
  void remove_givens() {
    for (const int cell : shuffled_cells(true)) {
      if (giving_up()) return;
      set(cell, false);
      if (!unique_without(cell) || !within_cap()) set(cell, true);
    }
  }

  // A puzzle that the cap held back keeps givens that could go but for
  // the level. Each is swapped, while one can be, for an empty cell whose
  // given keeps the puzzle within the cap, and then the other givens are
  // tried again. False when the puzzle is not minimal after a few rounds.
  bool make_minimal() {
    for (int round = 0; round < kRounds; ++round) {
      bool extra = false;
      bool swapped = false;
      for (const int cell : shuffled_cells(true)) {
        if (giving_up()) return false;
        set(cell, false);
        if (unique_without(cell)) {
          extra = true;
          if ((swapped = swap_in_for(cell))) break;
        }
        set(cell, true);
      }
      if (!extra) return true;
      if (!swapped) return false;
      remove_givens();
    }
    return false;
  }

 private:
  static constexpr int kRounds = 20;

  int partner(int cell) const { return symmetric_ ? 80 - cell : cell; }
  bool giving_up() { return gave_up_ || (gave_up_ = give_up_()); }

  // The cells (with --symmetric, of the first half) that are given, or empty.
  std::vector<int> shuffled_cells(bool given) {
    std::vector<int> cells;
    for (int cell = 0; cell <= (symmetric_ ? 40 : 80); ++cell) {
      if ((puzzle_[cell] != 0) == given) cells.push_back(cell);
    }
    random_shuffle(cells, random_);
    return cells;
  }

  void set(int cell, bool given) {
    puzzle_[cell] = given ? solution_[cell] : 0;
    puzzle_[partner(cell)] = given ? solution_[partner(cell)] : 0;
  }

  // Whether the puzzle, just without `cell`, has one solution.
  bool unique_without(int cell) const {
    const GivenDigits given(puzzle_);
    const int other = partner(cell);
    return (given.force(puzzle_, cell, solution_[cell]) &&
            (other == cell || given.force(puzzle_, other, solution_[other]))) ||
           count_solutions(puzzle_) == 1;
  }

  bool within_cap() const { return !cap_ || cap_(puzzle_); }

  // An empty cell other than `out`, given, keeps the puzzle within the cap.
  bool swap_in_for(int out) {
    std::vector<int> cells = shuffled_cells(false);
    // The removed given's peers first: a given there is the likeliest to
    // bring back the quick start that the removed one gave.
    const auto& out_units = kCellUnitIndexes[out + 1];
    std::stable_partition(cells.begin(), cells.end(), [&](int cell) {
      const auto& units = kCellUnitIndexes[cell + 1];
      return units[0] == out_units[0] || units[1] == out_units[1] || units[2] == out_units[2];
    });
    for (const int cell : cells) {
      if (cell == out) continue;
      set(cell, true);
      if (within_cap()) return true;
      set(cell, false);
    }
    return false;
  }

  const DigitGrid& solution_;
  DigitGrid puzzle_;
  bool symmetric_;
  const Cap& cap_;
  std::mt19937_64& random_;
  const std::function<bool()>& give_up_;
  bool gave_up_ = false;
};

// The person's solver along a puzzle, stopped at the first step beyond
// what was asked: rated above the band, or of a technique after the one
// asked for in the solver's order (which runs, broadly, from the easiest to
// the hardest). A puzzle whose path stays within it has its hardest step
// there too, or an easier one.
struct PersonWalk {
  bool within = true;
  int er = 0;
  logic::Technique hardest = logic::Technique::full_house;
};

PersonWalk walk_within(const DigitGrid& puzzle, const PuzzleRequest& request, logic::Workspace& work) {
  PersonWalk walk;
  logic::Grid grid = logic::Grid::from_digits(puzzle);
  while (!grid.solved()) {
    const auto step = logic::next_step(grid, work);
    if (!step || (request.rating && step->rating > request.rating->high) ||
        (request.technique && step->technique > *request.technique)) {
      walk.within = false;
      return walk;
    }
    if (step->rating > walk.er) {
      walk.er = step->rating;
      walk.hardest = step->technique;
    }
    logic::apply(grid, *step);
  }
  return walk;
}

bool as_asked(const PersonWalk& walk, const PuzzleRequest& request) {
  return walk.within && (!request.rating || walk.er >= request.rating->low) &&
         (!request.technique || walk.hardest == *request.technique);
}

}  // namespace

bool can_be_hardest(logic::Technique technique) {
  // Chains of four strong links are left out of the person's solver's order
  // (logic/rating.cpp). A direct claiming is never its next step: wherever
  // one applies, a direct pointing or a hidden single, looked for first,
  // places the same digit.
  return technique != logic::Technique::four_links && technique != logic::Technique::grouped_four_links &&
         technique != logic::Technique::direct_claiming;
}

Puzzle make_puzzle(const PuzzleRequest& request, std::mt19937_64& random) {
  return *make_puzzle(request, random, [] { return false; });
}

std::optional<Puzzle> make_puzzle(const PuzzleRequest& request, std::mt19937_64& random,
                                  const std::function<bool()>& give_up, std::uint64_t max_grids) {
  const bool person = request.rating || request.technique;
  std::optional<Level> wanted = request.level;
  if (!wanted && !request.minimal && !person) wanted = static_cast<Level>(random_below(random, kLevelCount));
  const Level level_cap = wanted.value_or(Level::very_difficult);
  logic::Workspace work;
  const Cap no_cap;
  Cap cap;
  if (person || level_cap != Level::very_difficult) {
    cap = [&](const DigitGrid& puzzle) {
      return (level_cap == Level::very_difficult || rate_puzzle(puzzle).level <= level_cap) &&
             (!person || walk_within(puzzle, request, work).within);
    };
  }
  for (std::uint64_t grids = 0; !give_up() && (max_grids == 0 || grids < max_grids); ++grids) {
    Puzzle puzzle;
    puzzle.solution = random_solved_grid(random);
    // For a band of ratings the givens are first removed as if nothing
    // were asked: most puzzles so made rate at most the band's top (all but
    // a few for a high band), and rating the finished puzzle alone costs a
    // fraction of rating it after every given. Only one rated above is
    // carved again from the same grid, keeping the givens that hold it
    // back. (Measured: a third to a quarter of the time for the bands 4.0-
    // 4.9 to 9.0-9.9. For a technique it is the other way round: most
    // puzzles that have it as their hardest step come from the second
    // carving, and the first would only add to its cost.)
    std::optional<PersonWalk> walk;
    if (request.rating && !request.technique && level_cap == Level::very_difficult) {
      Carver plain(puzzle.solution, request.symmetric, no_cap, random, give_up);
      plain.remove_givens();
      if (plain.gave_up()) break;
      puzzle.givens = plain.puzzle();
      walk = walk_within(puzzle.givens, request, work);
      if (!walk->within) walk.reset();
    }
    if (!walk) {
      Carver carver(puzzle.solution, request.symmetric, cap, random, give_up);
      carver.remove_givens();
      const bool minimal = !request.minimal || !cap || carver.make_minimal();
      if (carver.gave_up()) break;
      if (!minimal) continue;
      puzzle.givens = carver.puzzle();
    }
    puzzle.rating = rate_puzzle(puzzle.givens);
    if (wanted && puzzle.rating.level != *wanted) continue;
    if (person) {
      if (!walk) walk = walk_within(puzzle.givens, request, work);
      if (!as_asked(*walk, request)) continue;
      puzzle.person = logic::rate(logic::Grid::from_digits(puzzle.givens), work);
    }
    puzzle.given_count = static_cast<int>(81 - std::count(puzzle.givens.begin(), puzzle.givens.end(), 0));
    return puzzle;
  }
  return std::nullopt;
}

}  // namespace quorlen
