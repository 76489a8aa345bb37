#include "solver/plain_solver.h"

#include "board/units.h"
#include "solver/masks.h"

namespace quorlen {

void PlainSolver::main_function() {
  Board& b = board_;
  b.is_valid = true;
  b.solvable = true;
  b.attempt_ok = true;
  if (!validate_all(true)) {
    b.attempt_ok = false;
    return;
  }
  for (int n = 1; n <= 81; ++n) {
    const int value = b.cell_value[n - 1];
    mask_[n] = static_cast<std::int16_t>(value != kEmptyCell ? digit_mask(value) : kAllDigits);
  }
  do {
    saturating_increment(b.pass_count);
    changed_ = false;
    for (int unit = 1; unit <= 27; ++unit) possible(unit);
  } while (changed_);
  b.is_valid = true;
  validate_all(false);
  b.is_complete = true;
  for (int unit = 1; unit <= 27; ++unit) b.is_complete &= unit_digits(unit) == kAllDigits;
  if (!b.is_valid) {
    b.solvable = false;
  } else if (!b.is_complete) {
    guess_function();
  }
}

// Each unit's first pair of cells holding one digit; the last unit found
// (or, with `stop_at_first`, the first) is the repetition reported.
bool PlainSolver::validate_all(bool stop_at_first) {
  for (int unit = 1; unit <= 27; ++unit) {
    const auto& cells = kUnitCells[unit];
    // The sum of distinct digits' masks is their union: only a unit whose
    // sum is not has a pair to find.
    bool found = digit_sum(unit) == unit_digits(unit);
    for (int i = 1; i <= 9 && !found; ++i) {
      const int value = board_.cell_value[cells[i] - 1];
      for (int j = i + 1; j <= 9 && value != kEmptyCell && !found; ++j) {
        if (board_.cell_value[cells[j] - 1] != value) continue;
        board_.is_valid = false;
        board_.repetition = {unit, value, cells[i], cells[j]};
        found = true;
      }
    }
    if (!board_.is_valid && stop_at_first) return false;
  }
  return board_.is_valid;
}

int PlainSolver::digit_sum(int unit) const {
  int sum = 0;
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = board_.cell_value[kUnitCells[unit][pos] - 1];
    if (value != kEmptyCell) sum += digit_mask(value);
  }
  return sum;
}

int PlainSolver::unit_digits(int unit) const {
  int digits = 0;
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = board_.cell_value[kUnitCells[unit][pos] - 1];
    if (value != kEmptyCell) digits |= digit_mask(value);
  }
  return digits;
}

// Placed-digit rule, then single-place rule. The digits struck are those
// the unit lacks as their masks' sum tells (see open_digits), taken when
// the call starts; the cells narrowed to one digit are placed after all
// nine are narrowed.
void PlainSolver::possible(int unit) {
  const auto& cells = kUnitCells[unit];
  const int open = open_digits(digit_sum(unit));
  std::array<bool, 10> placed{};
  for (int pos = 1; pos <= 9; ++pos) {
    const int cell = cells[pos];
    if (board_.cell_value[cell - 1] != kEmptyCell) continue;
    const int mask = mask_[cell] & open;
    if (mask == mask_[cell]) continue;
    mask_[cell] = static_cast<std::int16_t>(mask);
    changed_ = true;
    placed[pos] = single_digit(mask) != 0;
  }
  for (int pos = 1; pos <= 9; ++pos) {
    if (placed[pos])
      write_pos(cells[pos] - 1, mask_[cells[pos]], {Reason::cell, static_cast<std::uint8_t>(unit), 0});
  }
  place_single_places(unit);
}

// Digit by digit, ascending: one with a single place among the unit's
// cells, not yet in the unit, goes there. Each digit's places are counted
// on the masks as the digits below it left them.
void PlainSolver::place_single_places(int unit) {
  const auto& cells = kUnitCells[unit];
  int settled = unit_digits(unit);
  int singles = single_places(unit) & ~settled;
  for (int bit = 2; bit <= 512; bit <<= 1) {
    if ((singles & bit) == 0) continue;
    int pos = 1;
    while ((mask_[cells[pos]] & bit) == 0) ++pos;
    narrow(cells[pos], bit, {Reason::unit, static_cast<std::uint8_t>(unit), 0});
    settled |= bit;
    singles = single_places(unit) & ~settled;
  }
}

// The digits that are a candidate in exactly one cell of the unit.
int PlainSolver::single_places(int unit) const {
  int once = 0, twice = 0;
  for (int pos = 1; pos <= 9; ++pos) {
    twice |= once & mask_[kUnitCells[unit][pos]];
    once |= mask_[kUnitCells[unit][pos]];
  }
  return once & ~twice;
}

void PlainSolver::narrow(int cell, int mask, Why why) {
  mask_[cell] = static_cast<std::int16_t>(mask);
  changed_ = true;
  write_pos(cell - 1, mask, why);
}

void PlainSolver::guess_function() {
  saturating_increment(board_.guess_count);
  guessed_ = true;
  // The places of each digit in each unit: an examination that places
  // nothing changes none.
  std::array<std::array<int, 10>, 28> places{};
  for (int unit = 1; unit <= 27; ++unit) {
    for (int pos = 1; pos <= 9; ++pos) {
      for (int digit = 1; digit <= 9; ++digit)
        places[unit][digit] += (mask_[kUnitCells[unit][pos]] >> digit) & 1;
    }
  }
  for (int k = 1; k <= 9; ++k) {
    for (int unit = 1; unit <= 27; ++unit) {
      for (int digit = 1; digit <= 9; ++digit) {
        if (places[unit][digit] == k && try_guess(k, unit, digit)) return;
      }
    }
  }
}

// The examination of (k, u, d), digit d having k places in unit u: the
// first of them that has other candidates and has not had d guessed takes
// it, and a nested run starts.
bool PlainSolver::try_guess(int places, int unit, int digit) {
  const int bit = digit_mask(digit);
  const auto& cells = kUnitCells[unit];
  for (int pos = 1; pos <= 9; ++pos) {
    const int cell = cells[pos];
    const int old = mask_[cell];
    if ((old & bit) == 0 || old == bit || (board_.tried_mask[cell] & bit) != 0) continue;
    board_.tried_mask[cell] = static_cast<std::int16_t>(board_.tried_mask[cell] + bit);
    write_pos(cell - 1, bit,
              {Reason::guess, static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(places)});
    main_function();
    return true;
  }
  return false;
}

void PlainSolver::write_pos(int loc, int value, Why why) {
  const int d = single_digit(value);
  if (loc < 0 || loc > 80 || d == 0) return;
  sink_.shown[static_cast<std::size_t>(loc)] = static_cast<std::uint8_t>(d);
  set_cell_digit(board_, loc, d);
  if (sink_.log != nullptr)
    sink_.log->push_back({static_cast<std::uint8_t>(loc), static_cast<std::uint8_t>(d), why});
}

}  // namespace quorlen
