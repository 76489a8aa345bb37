#include "solver/solver.h"

#include <string>

#include "board/units.h"

namespace quorlen {

int latest_pos(int pos, int num) {
  // Worked from bit 9 down with comparisons rather than bit tests, so that
  // negative and oversized operands behave as the solver has always treated
  // them: a negative operand has no bit, one of 1024 or more has them all.
  int result = 0;
  for (int bit = 9; bit >= 1; --bit) {
    const int t = 1 << bit;
    if (pos >= t && num >= t) result += t;
    if (pos >= t) pos -= t;
    if (num >= t) num -= t;
  }
  return result;
}

void Solver::main_function() {
  Board& b = board_;
  b.is_valid = true;
  b.solvable = true;
  b.attempt_ok = true;
  b.run_state = 1;
  b.no_progress = false;

  // A repeated digit in the grid the run starts from ends it at once.
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

  for (int n = 1; n <= 81; ++n) {
    const int value = b.cell_value[n - 1];
    b.cand_mask[n] = static_cast<std::int16_t>(value != kEmptyCell ? digit_mask(value) : kAllDigits);
  }

  while (!b.no_progress) {
    saturating_increment(b.pass_count);
    b.no_progress = true;
    for (b.reduce_unit = 1; b.reduce_unit <= 27; ++b.reduce_unit) possible(b.reduce_unit);
  }

  b.is_valid = true;
  for (b.validate_unit = 1; b.validate_unit <= 27; ++b.validate_unit) validate(b.validate_unit);
  if (!b.is_valid) {
    b.solvable = false;
    b.run_state = -1;
  }

  b.is_complete = true;
  for (b.complete_unit = 1; b.complete_unit <= 27; ++b.complete_unit) complete(b.complete_unit);

  if (!b.is_complete && b.run_state != -1) guess_function();
}

void Solver::validate(const int& unit) {
  Board& b = board_;
  ++b.pos_counter;
  const auto& cells = kUnitCells[unit];
  const UnitKind kind = unit_kind(unit);

  // Columns and rows compare cell values; boxes go through unit_values with
  // 0 for an empty cell. Both find the same first pair.
  int values[10];
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = b.cell_value[cells[pos] - 1];
    if (kind == UnitKind::box) b.unit_values[pos] = static_cast<std::int16_t>(value == kEmptyCell ? 0 : value);
    values[pos] = kind == UnitKind::box ? b.unit_values[pos] : value;
  }
  const int empty = kind == UnitKind::box ? 0 : kEmptyCell;

  for (int i = 1; i <= 9; ++i) {
    if (values[i] == empty) continue;
    for (int j = i + 1; j <= 9; ++j) {
      if (values[j] != values[i]) continue;
      b.is_valid = false;
      const std::string k = std::to_string(unit_index(unit));
      const std::string d = std::to_string(values[i]);
      if (kind == UnitKind::box) {
        b.message_text = "   Validation failed for 3x3 box " + k + " - The number " + d + " is getting repeated.   ";
      } else {
        b.message_text = std::string("   Validation failed for ") + unit_kind_word(kind) + " " + k +
                         " - The number " + d + " is getting repeated   " + std::to_string(cells[i]) + "  " +
                         std::to_string(cells[j]);
      }
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

void Solver::possible(const int& unit) {
  Board& b = board_;
  const auto& cells = kUnitCells[unit];
  for (int pos = 0; pos <= 10; ++pos) b.allowed_mask[pos] = kAllDigits;
  b.unit_mask = 0;

  for (int pos = 1; pos <= 9; ++pos) {
    const int value = b.cell_value[cells[pos] - 1];
    if (value != kEmptyCell) b.unit_mask += digit_mask(value);
  }
  for (int pos = 1; pos <= 9; ++pos) {
    const int value = b.cell_value[cells[pos] - 1];
    // With a repeated digit the sum is no longer a set of digits and the
    // difference may be negative; latest_pos gives that no candidate.
    b.allowed_mask[pos] = static_cast<std::int16_t>(value == kEmptyCell ? kAllDigits - b.unit_mask : digit_mask(value));
  }

  // Placed-digit rule: narrow every cell to what its unit still allows.
  for (int pos = 1; pos <= 9; ++pos) {
    const int cell = cells[pos];
    const int old = b.cand_mask[cell];
    b.cand_mask[cell] = static_cast<std::int16_t>(intersect(old, b.allowed_mask[pos]));
    if (b.cand_mask[cell] != old) {
      b.no_progress = false;
      b.placed_digit = 0;
      write_pos(cell - 1, b.cand_mask[cell]);
    }
  }

  // Single-place rule: a digit with one possible cell in the unit goes there.
  for (int d = 1; d <= 9; ++d) {
    const int bit = digit_mask(d);
    int count = 0;
    int last = 0;
    for (int pos = 1; pos <= 9; ++pos) {
      if (intersect(b.cand_mask[cells[pos]], bit) == bit) {
        ++count;
        last = cells[pos];
      }
    }
    if (count == 1 && b.cand_mask[last] != bit) {
      b.cand_mask[last] = static_cast<std::int16_t>(bit);
      b.no_progress = false;
      b.placed_digit = 0;
      write_pos(last - 1, bit);
    }
  }
}

void Solver::write_pos(int loc, int value) {
  if (loc < 0 || loc > 80) return;
  const int d = single_digit(value);
  if (d == 0) return;
  view_.set_cell_colour(loc, kSolverBlue);
  const char text[2] = {static_cast<char>('0' + d), '\0'};
  view_.set_cell_text(loc, text);
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
  view_.Label4 = "Yes  " + std::to_string(b.guess_count);
  for (int i = 1; i <= 81; ++i) b.saved_mask[i] = b.cand_mask[i];

  // Fewest places first (k), then units 1..27, then digits 1..9.
  for (int k = 1; k <= 9; ++k) {
    for (int u = 1; u <= 27; ++u) {
      const auto& cells = kUnitCells[u];
      for (int d = 1; d <= 9; ++d) {
        for (int i = 1; i <= 81; ++i) b.cand_mask[i] = b.saved_mask[i];
        const int bit = digit_mask(d);
        int cand_cells[11] = {};
        int cand_count = 0;
        for (int pos = 1; pos <= 9; ++pos) {
          if (intersect(b.cand_mask[cells[pos]], bit) == bit) cand_cells[++cand_count] = cells[pos];
        }
        if (cand_count != k) continue;
        for (int j = 1; j <= k; ++j) {
          const int cell = cand_cells[j];
          const int old = b.cand_mask[cell];
          if (intersect(old, bit) == bit) b.cand_mask[cell] = static_cast<std::int16_t>(bit);
          if (b.cand_mask[cell] == old || (b.tried_mask[cell] & bit) != 0) continue;
          b.tried_mask[cell] = static_cast<std::int16_t>(b.tried_mask[cell] + bit);
          b.no_progress = false;
          b.placed_digit = 0;
          write_pos(cell - 1, bit);
          if (b.placed_digit != 0) {
            main_function();
            return;
          }
        }
      }
    }
  }
}

}  // namespace quorlen
