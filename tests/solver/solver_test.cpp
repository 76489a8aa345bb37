// The unit operations, placement and guessing, on boards set up by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/step_log.h"
#include "solver/solver.h"
#include "support/test_support.h"

namespace quorlen {
namespace {

class SolverTest : public ::testing::Test {
 protected:
  SolverTest() {
    for (int n = 1; n <= 81; ++n) {
      board.cell_value[n - 1] = kEmptyCell;
      board.cand_mask[n] = kAllDigits;
      board.given_value[n] = kNotGiven;
    }
    board.is_valid = true;
    board.is_complete = true;
    board.no_progress = true;
  }

  void put(int cell, int digit) {
    board.cell_value[cell - 1] = static_cast<std::int16_t>(digit);
    board.cand_mask[cell] = static_cast<std::int16_t>(digit_mask(digit));
  }

  // Fills the unit in position order from a string, '.' for an empty cell.
  void fill_unit(int unit, const std::string& digits) {
    for (int pos = 1; pos <= 9; ++pos) {
      const char c = digits[static_cast<std::size_t>(pos - 1)];
      const int cell = kUnitCells[unit][pos];
      if (c != '.') {
        put(cell, c - '0');
      } else {
        board.cell_value[cell - 1] = kEmptyCell;
        board.cand_mask[cell] = kAllDigits;
      }
    }
  }

  void start_log() {
    view.Check2 = true;
    ASSERT_TRUE(log.open(log_path));
  }

  std::vector<std::string> log_lines() {
    EXPECT_TRUE(log.flush());
    return testing::read_log_lines(log_path);
  }

  Board board;
  View view;
  std::filesystem::path log_path =
      std::filesystem::temp_directory_path() /
      ("quorlen_solver_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
  StepLog log;
  Solver solver{board, view, &log};
};

// --- validation --------------------------------------------------------

TEST_F(SolverTest, ValidationTexts) {
  const struct {
    int unit;
    const char* digits;  // the unit in position order
    const char* text;
  } cases[] = {
      // The column text names the second cell of the pair, as the row text does.
      {3, ".7.....7.", "   Validation failed for column 3 - The number 7 is getting repeated   20  26"},
      {13, "2.......2", "   Validation failed for row 4 - The number 2 is getting repeated   4  76"},
      {23, "9.......9", "   Validation failed for 3x3 box 5 - The number 9 is getting repeated.   "},
      // The pair whose first cell comes first; of three, the first two.
      {1, ".5.3.53..", "   Validation failed for column 1 - The number 5 is getting repeated   2  6"},
      {14, "8..8....8", "   Validation failed for row 5 - The number 8 is getting repeated   5  32"},
  };
  for (const auto& c : cases) {
    board.is_valid = true;
    fill_unit(c.unit, c.digits);
    solver.validate(c.unit);
    EXPECT_FALSE(board.is_valid) << c.unit;
    EXPECT_EQ(board.message_text, c.text);
    fill_unit(c.unit, ".........");
  }
}

TEST_F(SolverTest, ValidUnitsChangeNothingButTheCounter) {
  fill_unit(2, "123456789");
  board.is_valid = false;
  board.message_text = "earlier";
  board.pos_counter = 4;
  solver.validate(2);   // distinct digits
  solver.validate(20);  // empty box
  EXPECT_FALSE(board.is_valid);
  EXPECT_EQ(board.message_text, "earlier");
  EXPECT_EQ(board.pos_counter, 6);
}

// --- completion --------------------------------------------------------

TEST_F(SolverTest, CompletionSumsDigitMasks) {
  fill_unit(5, "918273645");
  solver.complete(5);
  EXPECT_EQ(board.unit_mask, 1022);
  EXPECT_TRUE(board.is_complete);

  fill_unit(12, "12356789.");  // missing 4
  solver.complete(12);
  EXPECT_EQ(board.unit_mask, 1006);
  EXPECT_FALSE(board.is_complete);

  board.is_complete = true;
  fill_unit(27, "1234567..");  // a box counts an empty cell as 2^0
  solver.complete(27);
  EXPECT_EQ(board.unit_mask, 254 + 2);
  EXPECT_FALSE(board.is_complete);

  board.is_complete = true;
  fill_unit(16, "113456789");  // the two 1s merge into bit 2
  solver.complete(16);
  EXPECT_EQ(board.unit_mask, 1020);
  EXPECT_FALSE(board.is_complete);

  solver.complete(5);  // a complete unit after an incomplete one
  EXPECT_FALSE(board.is_complete);
}

// --- reduction ---------------------------------------------------------

TEST_F(SolverTest, PlacedDigitRuleFillsTheLastCellOfAUnit) {
  fill_unit(3, "1234.6789");
  start_log();
  solver.possible(3);
  EXPECT_EQ(board.cand_mask[23], digit_mask(5));
  EXPECT_EQ(board.cell_value[22], 5);
  EXPECT_EQ(view.cell_text(22), "5");
  EXPECT_EQ(view.cell(22).colour, kSolverBlue);
  EXPECT_FALSE(board.no_progress);
  EXPECT_EQ(board.unit_mask, 1022 - 32);
  EXPECT_EQ(log_lines(), std::vector<std::string>{"\" Column 3 row 5  :Value5\""});
}

TEST_F(SolverTest, EmptyUnitAndSettledUnitChangeNothing) {
  solver.possible(10);
  EXPECT_TRUE(board.no_progress);
  EXPECT_EQ(board.unit_mask, 0);
  EXPECT_EQ(board.cand_mask[1], kAllDigits);

  // Digit 4 stands in cell 1 and no other cell of row 1 still has it: the
  // single place is the filled cell itself, so nothing is written.
  put(1, 4);
  for (int cell : {10, 19, 28, 37, 46, 55, 64, 73}) board.cand_mask[cell] = kAllDigits - 16;
  start_log();
  solver.possible(10);
  EXPECT_TRUE(board.no_progress);
  EXPECT_TRUE(log_lines().empty());
}

TEST_F(SolverTest, SinglePlaceRuleNeedsExactlyOneCell) {
  for (int cell = 1; cell <= 9; ++cell) board.cand_mask[cell] = kAllDigits - 32;
  board.cand_mask[3] = kAllDigits;      // digit 5 only fits cell 3
  board.cand_mask[8] = kAllDigits - 32 - 4;  // digit 2: cells 1..7 and 9 share it
  solver.possible(1);
  EXPECT_EQ(board.cand_mask[3], 32);
  EXPECT_EQ(board.cell_value[2], 5);
  EXPECT_EQ(board.cell_value[0], kEmptyCell);
  EXPECT_FALSE(board.no_progress);
}

TEST_F(SolverTest, DigitsPlacedInACallAreStruckOnlyByTheNextCall) {
  fill_unit(1, "123456...");
  board.cand_mask[7] = 128 + 2;  // only 7 survives the column's digits
  solver.possible(1);
  ASSERT_EQ(board.cell_value[6], 7);
  EXPECT_EQ(board.cand_mask[8], 128 + 256 + 512);  // the new 7 is not struck yet
  solver.possible(1);
  EXPECT_EQ(board.cand_mask[8], 256 + 512);
}

// Changes that place nothing still count as progress: a mask left with two
// digits, a cell whose last candidate goes (once: a mask of 0 stays 0), and
// a unit holding a digit twice, whose allowed masks go negative.
TEST_F(SolverTest, MaskChangesWithoutPlacement) {
  fill_unit(4, "1234567..");
  board.placed_digit = 7;
  solver.possible(4);
  EXPECT_EQ(board.cand_mask[35], 256 + 512);
  EXPECT_EQ(board.cell_value[34], kEmptyCell);
  EXPECT_FALSE(board.no_progress);
  EXPECT_EQ(board.placed_digit, 0);

  fill_unit(6, "12345678.");
  board.cand_mask[54] = 256;  // only 8 left, and the column already holds 8
  solver.possible(6);
  EXPECT_EQ(board.cand_mask[54], 0);
  board.no_progress = true;
  solver.possible(6);
  EXPECT_TRUE(board.no_progress);

  fill_unit(7, "99.......");  // sum 1024: 1022 minus it is negative
  solver.possible(7);
  for (int cell = 57; cell <= 63; ++cell) EXPECT_EQ(board.cand_mask[cell], 0) << cell;
  EXPECT_FALSE(board.no_progress);
}

// --- placement ---------------------------------------------------------

TEST_F(SolverTest, WritePosPlacesOnlySingleDigitMasks) {
  start_log();
  for (int value : {1022, 6, 1, 1024, 0, -2}) {
    board.placed_digit = 0;
    solver.write_pos(40, value);
    EXPECT_EQ(board.placed_digit, 0) << value;
  }
  solver.write_pos(-1, 2);
  solver.write_pos(81, 2);
  EXPECT_EQ(board.placed_digit, 0);
  EXPECT_EQ(view.cell_text(40), "");
  EXPECT_TRUE(log_lines().empty());

  solver.write_pos(0, 32);
  solver.write_pos(80, 2);
  solver.write_pos(9, 512);
  solver.write_pos(9, 512);  // written again, logged again
  EXPECT_EQ(board.placed_digit, 9);
  EXPECT_EQ(board.cell_value[0], 5);
  EXPECT_EQ(view.cell_text(80), "1");
  EXPECT_EQ(view.cell(9).colour, kSolverBlue);
  view.Check2 = false;  // "Save to File" unticked: placed, not logged
  solver.write_pos(4, 8);
  EXPECT_EQ(view.cell_text(4), "3");
  EXPECT_EQ(log_lines(), (std::vector<std::string>{
                             "\" Column 1 row 1  :Value5\"", "\" Column 9 row 9  :Value1\"",
                             "\" Column 2 row 1  :Value9\"", "\" Column 2 row 1  :Value9\""}));
}

// --- guessing ----------------------------------------------------------

// Digit 1 has exactly two places in column 1, cells 3 and 7, and no digit
// has a single open place anywhere.
void two_places_for_one_in_column_one(Board& board) {
  for (int cell = 1; cell <= 9; ++cell) {
    if (cell != 3 && cell != 7) board.cand_mask[cell] = kAllDigits - 2;
  }
}

TEST_F(SolverTest, FirstGuessIsTheFirstListedCellOfTheFewestPlaces) {
  two_places_for_one_in_column_one(board);
  start_log();
  solver.guess_function();
  const auto lines = log_lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "\" Column 1 row 3  :Value1\"");
  EXPECT_EQ(board.tried_mask[3] & 2, 2);
}

TEST_F(SolverTest, TriedGuessIsPassedOverForTheNextListedCell) {
  two_places_for_one_in_column_one(board);
  board.tried_mask[3] = 2;
  start_log();
  solver.guess_function();
  EXPECT_EQ(log_lines().front(), "\" Column 1 row 7  :Value1\"");
}

TEST_F(SolverTest, ASinglePlaceWinsOverTwoPlaces) {
  two_places_for_one_in_column_one(board);
  for (int cell : {5, 14, 23, 32, 50, 59, 68, 77}) board.cand_mask[cell] &= kAllDigits - 512;
  start_log();
  solver.guess_function();  // 9 has one place in row 5: cell 41
  EXPECT_EQ(log_lines().front(), "\" Column 5 row 5  :Value9\"");
  EXPECT_EQ(board.tried_mask[41], 512);
}

TEST_F(SolverTest, NoAdmissibleGuessStillCountsTheCall) {
  for (int cell = 1; cell <= 81; ++cell) board.cand_mask[cell] = 2;
  board.guess_count = 0;
  solver.guess_function();
  EXPECT_EQ(board.guess_count, 1);
  EXPECT_EQ(view.Label4, "Yes  1");
  for (int cell = 1; cell <= 81; ++cell) EXPECT_EQ(board.tried_mask[cell], 0);
}

// Every digit has nine places everywhere and has been guessed in every cell:
// each examination narrows its unit's cells to the digit and gives up. Each
// starts from the masks as guessing found them, and the last one, digit 9
// in box 9, is left as it ended.
TEST_F(SolverTest, FailedExaminationsLeaveOnlyTheLastOneNarrowed) {
  for (int cell = 1; cell <= 81; ++cell) board.tried_mask[cell] = kAllDigits;
  solver.guess_function();
  EXPECT_EQ(board.guess_count, 1);
  for (int cell = 1; cell <= 81; ++cell) {
    const bool in_box_9 = cell_column(cell) >= 7 && cell_row(cell) >= 7;
    EXPECT_EQ(board.cand_mask[cell], in_box_9 ? 512 : kAllDigits) << cell;
    EXPECT_EQ(board.saved_mask[cell], kAllDigits) << cell;
  }
}

}  // namespace
}  // namespace quorlen
