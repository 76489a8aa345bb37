#include "solver/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <string_view>

#include "board/units.h"

namespace quorlen {
namespace {

// All 27 units, bits 1..27.
constexpr std::uint32_t kAllUnits = 0x0ffffffe;

// A short text built in place, so that composing a message allocates
// nothing beyond the destination string's own buffer.
class TextBuilder {
 public:
  TextBuilder& operator<<(std::string_view piece) {
    const std::size_t n = std::min(piece.size(), buffer_.size() - size_);
    std::memcpy(buffer_.data() + size_, piece.data(), n);
    size_ += n;
    return *this;
  }
  TextBuilder& operator<<(int number) {
    const auto result = std::to_chars(buffer_.data() + size_, buffer_.data() + buffer_.size(), number);
    if (result.ec == std::errc()) size_ = static_cast<std::size_t>(result.ptr - buffer_.data());
    return *this;
  }
  std::string_view view() const { return {buffer_.data(), size_}; }

 private:
  std::array<char, 160> buffer_{};
  std::size_t size_ = 0;
};

// What the single-place rule needs to know of a unit's masks (bits 1..9):
//   once:    digits that are a candidate in at least one cell
//   twice:   digits that are a candidate in at least two cells
//   settled: masks that are one digit alone
struct Tally {
  int once = 0;
  int twice = 0;
  int settled = 0;

  void add(int mask) {
    twice |= once & mask;
    once |= mask;
    // Without a branch: masks with one digit and with several come mixed.
    const bool alone = (mask & (mask - 1)) == 0;
    settled |= mask & -static_cast<int>(alone);
  }
  // Digits with one place in the unit, in a cell that has others too.
  int singles() const { return once & ~twice & ~settled; }
};

Tally tally_unit(const std::int16_t* mask_of, const std::array<int, 10>& cells) {
  Tally t;
  for (int pos = 1; pos <= 9; ++pos) t.add(mask_of[cells[pos]]);
  return t;
}

}  // namespace

void Solver::main_function() {
  Board& b = board_;
  b.is_valid = true;
  b.solvable = true;
  b.attempt_ok = true;
  b.run_state = 1;
  b.no_progress = false;

  // A repeated digit in the grid the run starts from ends it at once.
  if (grid_passes_validation()) {
    count_passed_validations();
  } else {
    for (b.validate_unit = 1; b.validate_unit <= 27; ++b.validate_unit) {
      if (!b.is_valid) {
        b.attempt_ok = false;
        return;
      }
      validate(b.validate_unit);
    }
    if (!b.is_valid) {
      b.attempt_ok = false;
      return;
    }
  }

  for (int n = 1; n <= 81; ++n) {
    const int value = b.cell_value[n - 1];
    b.cand_mask[n] = static_cast<std::int16_t>(value != kEmptyCell ? digit_mask(value) : kAllDigits);
  }

  // possible(u) reads and writes only the digits and masks of u's own
  // cells, so a call that changed nothing would change nothing again until
  // one of those cells changes. Such calls are skipped: units_to_reduce_
  // holds the units with a changed cell (narrow() marks the three units of
  // every cell it changes), and every unit starts out in it because the
  // masks were just rebuilt.
  //
  // Of a unit whose cells only lost candidates since its last call, and
  // got no new digit (units_with_new_digit_), the placed-digit rule would
  // change nothing: it narrows to what the unit's digits allow, the digits
  // are those it last narrowed to, and masks only shrink. Only the
  // single-place rule is applied to it.
  //
  // A skipped call, or skipped rule, would only have rewritten the scratch
  // fields unit_mask and allowed_mask; they are set after the passes as the
  // last call would have left them.
  units_to_reduce_ = kAllUnits;
  units_with_new_digit_ = kAllUnits;
  while (!b.no_progress) {
    saturating_increment(b.pass_count);
    b.no_progress = true;
    // The units still to reduce in this pass, in ascending order: those
    // above the current one, including any that it marks.
    for (std::uint32_t ahead = units_to_reduce_; ahead != 0;
         ahead = units_to_reduce_ & ~((std::uint32_t{2} << b.reduce_unit) - 1)) {
      b.reduce_unit = std::countr_zero(ahead);
      const std::uint32_t unit_bit = std::uint32_t{1} << b.reduce_unit;
      units_to_reduce_ &= ~unit_bit;
      if ((units_with_new_digit_ & unit_bit) != 0) {
        units_with_new_digit_ &= ~unit_bit;
        possible(b.reduce_unit);
      } else {
        b.pos_counter = 0;  // as possible() leaves it
        const int singles = tally_unit(b.cand_mask.data(), kUnitCells[b.reduce_unit]).singles();
        if (singles != 0) place_single_places(b.reduce_unit, singles);
      }
    }
    b.reduce_unit = 28;
  }
  // The last pass ended with possible(27), which changed nothing; its
  // allowed masks, skipped or not, are those of the digits as they stand.
  set_allowed_masks(27);

  b.is_valid = true;
  b.is_complete = true;
  bool full = true;
  if (grid_passes_validation(&full)) {
    count_passed_validations();
    // With no digit repeated, a unit is complete exactly when none of its
    // cells is empty. complete(27) leaves the last unit's scratch fields.
    if (!full) b.is_complete = false;
    b.complete_unit = 27;
    complete(b.complete_unit);
    b.complete_unit = 28;
  } else {
    for (b.validate_unit = 1; b.validate_unit <= 27; ++b.validate_unit) validate(b.validate_unit);
    for (b.complete_unit = 1; b.complete_unit <= 27; ++b.complete_unit) complete(b.complete_unit);
  }
  if (!b.is_valid) {
    b.solvable = false;
    b.run_state = -1;
  }

  if (!b.is_complete && b.run_state != -1) guess_function();
}

bool Solver::grid_passes_validation(bool* full) const {
  // Used digits per column, row and box, as bits 1..9.
  std::array<unsigned, 27> used{};
  for (int i = 0; i < 81; ++i) {
    const int value = board_.cell_value[i];
    if (value == kEmptyCell) {
      if (full != nullptr) *full = false;
      continue;
    }
    if (value < 1 || value > 9) return false;  // outside the board's model: let validate() judge
    const unsigned bit = 1u << value;
    const auto& units = kCellUnitIndexes[i + 1];
    unsigned& column = used[units[0]];
    unsigned& row = used[units[1]];
    unsigned& box = used[units[2]];
    if (((column | row | box) & bit) != 0) return false;
    column |= bit;
    row |= bit;
    box |= bit;
  }
  return true;
}

void Solver::count_passed_validations() {
  // What 27 passing validate() calls leave behind: the counter counted,
  // the loop field past the end and the last box in unit_values.
  Board& b = board_;
  b.pos_counter += 27;
  b.validate_unit = 28;
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = b.cell_value[kUnitCells[27][pos] - 1];
    b.unit_values[pos] = static_cast<std::int16_t>(value == kEmptyCell ? 0 : value);
  }
}

void Solver::validate(const int& unit) {
  Board& b = board_;
  ++b.pos_counter;
  const auto& cells = kUnitCells[unit];
  const UnitKind kind = unit_kind(unit);

  // Fast check: with every cell empty or holding 1..9, the unit fails
  // exactly when some digit's bit is met twice. Only then (or for a value
  // outside the board's model) is the pair searched for below.
  unsigned seen = 0;
  unsigned repeated = 0;
  bool out_of_model = false;
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = b.cell_value[cells[pos] - 1];
    if (kind == UnitKind::box) b.unit_values[pos] = static_cast<std::int16_t>(value == kEmptyCell ? 0 : value);
    if (value == kEmptyCell) continue;
    if (value < 1 || value > 9) {
      out_of_model = true;
      continue;
    }
    const unsigned bit = 1u << value;
    repeated |= seen & bit;
    seen |= bit;
  }
  if (repeated == 0 && !out_of_model) return;

  // Columns and rows compare cell values; boxes go through unit_values with
  // 0 for an empty cell. Both find the same first pair.
  int values[10];
  for (int pos = 1; pos <= 9; ++pos) {
    values[pos] = kind == UnitKind::box ? b.unit_values[pos] : b.cell_value[cells[pos] - 1];
  }
  const int empty = kind == UnitKind::box ? 0 : kEmptyCell;

  for (int i = 1; i <= 9; ++i) {
    if (values[i] == empty) continue;
    for (int j = i + 1; j <= 9; ++j) {
      if (values[j] != values[i]) continue;
      b.is_valid = false;
      TextBuilder text;
      text << "   Validation failed for " << unit_kind_word(kind) << " " << unit_index(unit) << " - The number "
           << values[i];
      if (kind == UnitKind::box) {
        text << " is getting repeated.   ";
      } else {
        text << " is getting repeated   " << cells[i] << "  " << cells[j];
      }
      b.message_text.assign(text.view());
      return;
    }
  }
}

void Solver::complete(const int& unit) {
  Board& b = board_;
  b.unit_mask = 0;
  const auto& cells = kUnitCells[unit];
  if (unit_kind(unit) == UnitKind::box) {
    for (int pos = 1; pos <= 9; ++pos) {
      const int value = b.cell_value[cells[pos] - 1];
      b.unit_values[pos] = static_cast<std::int16_t>(value == kEmptyCell ? 0 : value);
    }
    for (int pos = 1; pos <= 9; ++pos) b.unit_mask += 1 << b.unit_values[pos];
  } else {
    for (int pos = 1; pos <= 9; ++pos) {
      const int value = b.cell_value[cells[pos] - 1];
      if (value != kEmptyCell) b.unit_mask += digit_mask(value);
    }
  }
  if (b.unit_mask != kAllDigits) b.is_complete = false;
}

void Solver::narrow(int cell, int mask) {
  Board& b = board_;
  b.cand_mask[cell] = static_cast<std::int16_t>(mask);
  b.no_progress = false;
  units_to_reduce_ |= kCellUnits[cell];
  b.placed_digit = 0;
  // write_pos places only a single digit; most narrowed masks keep several.
  if (single_digit(mask) != 0) {
    write_pos(cell - 1, mask);
    units_with_new_digit_ |= kCellUnits[cell];
  }
}

void Solver::set_allowed_masks(int unit) {
  // unit_mask: the sum of 2^d over the unit's digits. With a repeated digit
  // the sum is no longer a set of digits and the difference below may be
  // negative; latest_pos gives that no candidate.
  Board& b = board_;
  const auto& cells = kUnitCells[unit];
  int digit[10];  // 2^d for a cell holding d, 0 for an empty cell
  int sum = 0;
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = b.cell_value[cells[pos] - 1];
    digit[pos] = value != kEmptyCell ? digit_mask(value) : 0;
    sum += digit[pos];
  }
  b.unit_mask = sum;
  const auto open = static_cast<std::int16_t>(kAllDigits - sum);
  b.allowed_mask[0] = kAllDigits;
  b.allowed_mask[10] = kAllDigits;
  for (int pos = 1; pos <= 9; ++pos) {
    b.allowed_mask[pos] = digit[pos] != 0 ? static_cast<std::int16_t>(digit[pos]) : open;
  }
}

void Solver::possible(const int& unit) {
  Board& b = board_;
  const auto& cells = kUnitCells[unit];
  std::int16_t* const mask_of = b.cand_mask.data();
  // Every mask intersection leaves pos_counter at 0, and a call makes at
  // least nine.
  b.pos_counter = 0;

  // The digits are read once, before any placement of this call: a digit
  // placed below is struck from the unit's other cells only by the next
  // call.
  set_allowed_masks(unit);

  // Placed-digit rule: narrow every cell to what its unit still allows.
  // The narrowed masks are tallied on the way for the single-place rule
  // (write_pos changes no mask, so each stays as narrowed here).
  Tally tally;
  for (int pos = 1; pos <= 9; ++pos) {
    const int cell = cells[pos];
    const int old = mask_of[cell];
    const int mask = latest_pos(old, b.allowed_mask[pos]);  // bits 1..9 only
    if (mask != old) narrow(cell, mask);
    tally.add(mask);
  }

  if (tally.singles() != 0) place_single_places(unit, tally.singles());
}

void Solver::place_single_places(int unit, int singles) {
  // Single-place rule: a digit with one possible cell in the unit goes
  // there, unless that cell's mask is that digit alone already. Digits go
  // in ascending order, and each one's places are counted on the masks as
  // the smaller digits left them, so after a change the tallies are taken
  // again for the digits above it. Every mask of the unit holds bits 1..9
  // only, as the placed-digit rule leaves them.
  const auto& cells = kUnitCells[unit];
  const std::int16_t* const mask_of = board_.cand_mask.data();
  while (singles != 0) {
    const int bit = singles & -singles;
    int pos = 1;
    while ((mask_of[cells[pos]] & bit) == 0) ++pos;
    narrow(cells[pos], bit);
    singles = tally_unit(mask_of, cells).singles() & ~((bit << 1) - 1);  // the digits above this one
  }
}

void Solver::write_pos(int loc, int value) {
  if (loc < 0 || loc > 80) return;
  const int d = single_digit(value);
  if (d == 0) return;
  view_.set_cell_colour(loc, kSolverBlue);
  view_.set_cell_digit(loc, d);
  board_.cell_value[loc] = static_cast<std::int16_t>(d);
  board_.placed_digit = d;
  if (view_.Check2 && log_ != nullptr) {
    // " Column c row r  :Valued"
    char record[] = " Column 0 row 0  :Value0";
    record[8] = static_cast<char>('1' + loc / 9);
    record[14] = static_cast<char>('1' + loc % 9);
    record[23] = static_cast<char>('0' + d);
    log_->write_record(record);
  }
}

void Solver::guess_function() {
  Board& b = board_;
  saturating_increment(b.guess_count);
  char caption[24] = "Yes  ";
  const auto end = std::to_chars(caption + 5, caption + sizeof caption, b.guess_count).ptr;
  view_.Label4.assign(caption, end);
  for (int i = 1; i <= 81; ++i) b.saved_mask[i] = b.cand_mask[i];
  // Every examination makes at least nine mask intersections.
  b.pos_counter = 0;

  // The search examines (k, u, d) in order: fewest places k first, then
  // units 1..27, then digits 1..9; an examination lists the cells of unit u
  // with candidate d and, if there are k of them, narrows each to d in turn
  // until one changes and has not had d guessed before: that one takes the
  // guess. Every examination starts from the snapshot, and one that places
  // nothing is undone, so it leaves no trace. The first examination that
  // places is found directly:
  //
  //   open[u]  digits d that some cell of u could take as a guess: d is a
  //            candidate, the cell has other candidates too, and d has not
  //            been guessed there;
  //   places   the number of cells of u with candidate d, for all nine
  //            digits at once (a 4-bit counter per digit, bit d of
  //            count[i] being bit i of digit d's count):
  //
  //              count[3]  count[2]  count[1]  count[0]
  //                 8s        4s        2s        1s      bit d: digit d
  //
  // The examination of (k, u, d) places exactly when d is in open[u] and
  // has k places in u.
  std::array<int, 82> guessable;  // per cell: the digits it could take as a guess
  for (int cell = 1; cell <= 81; ++cell) {
    const int raw = b.saved_mask[cell];
    const int mask = digit_bits(raw);
    const bool alone = raw == mask && (mask & (mask - 1)) == 0;  // narrowing it changes nothing
    guessable[cell] = alone ? 0 : mask & ~b.tried_mask[cell];
  }
  int best_k = 10;
  int best_unit = 0;
  int best_digit = 0;
  for (int u = 1; u <= 27; ++u) {
    const auto& cells = kUnitCells[u];
    int open = 0;
    for (int pos = 1; pos <= 9; ++pos) open |= guessable[cells[pos]];
    if (open == 0) continue;
    std::array<int, 4> count{};
    for (int pos = 1; pos <= 9; ++pos) {
      const int mask = digit_bits(b.saved_mask[cells[pos]]);
      // Add one to the counter of every digit in mask.
      const int carry0 = count[0] & mask;
      count[0] ^= mask;
      const int carry1 = count[1] & carry0;
      count[1] ^= carry0;
      const int carry2 = count[2] & carry1;
      count[2] ^= carry1;
      count[3] |= carry2;
    }
    // The fewest places among the open digits, below the best so far (a
    // later unit wins only with fewer).
    for (int k = 1; k < best_k; ++k) {
      const int digits = open & ((k & 1) != 0 ? count[0] : ~count[0]) & ((k & 2) != 0 ? count[1] : ~count[1]) &
                         ((k & 4) != 0 ? count[2] : ~count[2]) & ((k & 8) != 0 ? count[3] : ~count[3]);
      if (digits == 0) continue;
      best_k = k;
      best_unit = u;
      best_digit = std::countr_zero(static_cast<unsigned>(digits));
      break;
    }
  }

  if (best_unit != 0) {
    // The examination that places: the listed cells before the guessed one
    // stay narrowed to the digit.
    const int bit = digit_mask(best_digit);
    for (int pos = 1; pos <= 9; ++pos) {
      const int cell = kUnitCells[best_unit][pos];
      const int old = b.cand_mask[cell];
      if ((digit_bits(old) & bit) == 0) continue;
      b.cand_mask[cell] = static_cast<std::int16_t>(bit);
      if (old == bit || (b.tried_mask[cell] & bit) != 0) continue;
      b.tried_mask[cell] = static_cast<std::int16_t>(b.tried_mask[cell] + bit);
      b.no_progress = false;
      b.placed_digit = 0;
      write_pos(cell - 1, bit);
      main_function();  // write_pos places every single digit
      return;
    }
  }

  // Nothing to guess. Every examination was undone but the last, digit 9
  // in unit 27: when it listed all nine cells, they stay narrowed to 9.
  int nines = 0;
  for (int pos = 1; pos <= 9; ++pos) nines += (digit_bits(b.saved_mask[kUnitCells[27][pos]]) & digit_mask(9)) != 0;
  if (nines == 9) {
    for (int pos = 1; pos <= 9; ++pos) b.cand_mask[kUnitCells[27][pos]] = static_cast<std::int16_t>(digit_mask(9));
  }
}

}  // namespace quorlen
