// The board commands and cell entry of the window logic.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace quorlen {
namespace {

using testing::enter_puzzle;
using testing::ScriptedPlatform;
using testing::shown_grid;
using testing::type_puzzle;

struct Buttons {
  bool load, save, freeze, restart, solve;
  friend bool operator==(const Buttons&, const Buttons&) = default;
};
Buttons buttons(const View& v) { return {v.cmdLoad, v.cmdSave, v.cmdFreeze, v.cmdRestart, v.CmdSolve}; }

constexpr std::string_view kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

class SudokuTest : public ::testing::Test {
 protected:
  ScriptedPlatform platform;
  Sudoku window{platform};
  View& view = window.view();
  const Board& board = window.board();
};

TEST_F(SudokuTest, WindowStartsWithOnlyNewAndLockedCells) {
  EXPECT_TRUE(view.cmdNew);
  EXPECT_EQ(buttons(view), (Buttons{false, false, false, false, false}));
  for (int i = 0; i < 81; ++i) {
    EXPECT_FALSE(view.cell(i).enabled);
    EXPECT_EQ(view.cell(i).max_length, 1);
    EXPECT_EQ(board.cell_value[i], kEmptyCell);
    EXPECT_EQ(board.given_value[i + 1], 0);
  }
  EXPECT_FALSE(window.type_into_cell(0, "5"));
  EXPECT_EQ(view.cell_text(0), "");
  EXPECT_FALSE(view.Check2);
}

TEST_F(SudokuTest, NewUnlocksTheGridAndKeepsGuessedAndSaveToFile) {
  view.Label1 = "Difficulty     : 0 (Easy)";
  view.Label4 = "Yes  3";
  view.Check2 = true;
  window.cmdNew_Click();
  EXPECT_EQ(buttons(view), (Buttons{true, true, true, false, false}));
  EXPECT_EQ(view.Label1, "");
  EXPECT_EQ(view.Label4, "Yes  3");
  EXPECT_TRUE(view.Check2);
  for (int i = 0; i < 81; ++i) {
    EXPECT_TRUE(view.cell(i).enabled);
    EXPECT_EQ(board.given_value[i + 1], kNotGiven);
  }
}

TEST_F(SudokuTest, CellsKeepOnlyDigitsOneToNine) {
  window.cmdNew_Click();
  for (const char* text : {"0", "a", " ", "-", "+", ".", "\xC3\xA9"}) {
    window.type_into_cell(10, text);
    EXPECT_EQ(view.cell_text(10), "") << text;
  }
  for (char d = '1'; d <= '9'; ++d) {
    window.type_into_cell(10, std::string(1, d));
    EXPECT_EQ(view.cell_text(10), std::string(1, d));
  }
  window.type_into_cell(10, "47");  // cut to the maximum length
  EXPECT_EQ(view.cell_text(10), "4");
  window.type_into_cell(10, "");
  EXPECT_EQ(view.cell_text(10), "");
  EXPECT_EQ(board.cell_value[10], kEmptyCell);  // typing never reaches the board
}

TEST_F(SudokuTest, FreezeMakesTheGridTheGivens) {
  window.cmdNew_Click();
  type_puzzle(window, kPuzzle);
  window.cmdFreeze_Click();
  EXPECT_EQ(buttons(view), (Buttons{true, true, true, true, true}));
  EXPECT_EQ(shown_grid(view), kPuzzle);
  // Row 1, column 3 is cell 19 (grid index 18).
  EXPECT_EQ(board.given_value[19], 3);
  EXPECT_EQ(board.cell_value[18], 3);
  EXPECT_EQ(board.cand_mask[19], 8);
  EXPECT_EQ(view.cell(18).colour, kGivenColour);
  EXPECT_EQ(board.given_value[1], kNotGiven);
  EXPECT_EQ(view.cell(0).colour, kBlack);
  EXPECT_TRUE(view.cell(0).enabled);  // Freeze locks nothing
}

TEST_F(SudokuTest, FreezeOnAnEmptyGridLeavesNoGivens) {
  window.cmdNew_Click();
  window.cmdFreeze_Click();
  EXPECT_TRUE(view.CmdSolve && view.cmdRestart);
  for (int n = 1; n <= 81; ++n) EXPECT_EQ(board.given_value[n], kNotGiven);
  EXPECT_EQ(shown_grid(view), std::string(81, '.'));
}

TEST_F(SudokuTest, DigitTypedAfterFreezeIsNotPartOfThePuzzle) {
  enter_puzzle(window, kPuzzle);
  window.type_into_cell(0, "4");  // row 1, column 1 was empty
  EXPECT_EQ(board.cell_value[0], kEmptyCell);
  window.cmdRestart_Click();
  EXPECT_EQ(view.cell_text(0), "");

  // A given overwritten by the user comes back.
  window.type_into_cell(18, "7");
  window.cmdRestart_Click();
  EXPECT_EQ(view.cell_text(18), "3");
}

TEST_F(SudokuTest, RestartAfterSolveKeepsTheSolverColourOnEmptiedCells) {
  enter_puzzle(window, kPuzzle);
  window.CmdSolve_Click();
  ASSERT_EQ(platform.messages.back(), "Sudoku Solved");
  window.cmdRestart_Click();
  EXPECT_EQ(shown_grid(view), kPuzzle);
  EXPECT_EQ(view.cell(0).colour, kSolverBlue);  // emptied, still blue
  EXPECT_EQ(view.cell(18).colour, kGivenColour);
  EXPECT_EQ(board.pass_count, 0);
  EXPECT_EQ(board.guess_count, 0);
  for (int n = 1; n <= 81; ++n) EXPECT_EQ(board.tried_mask[n], 0);
  window.type_into_cell(0, "4");
  EXPECT_EQ(view.cell(0).colour, kSolverBlue);  // typing keeps the colour
  EXPECT_NE(view.Label1, "");                   // Restart leaves the labels
}

TEST_F(SudokuTest, FreezeAfterSolveMakesEveryDigitAGiven) {
  enter_puzzle(window, kPuzzle);
  window.CmdSolve_Click();
  window.cmdFreeze_Click();
  for (int n = 1; n <= 81; ++n) EXPECT_NE(board.given_value[n], kNotGiven);
  EXPECT_EQ(view.cell(0).colour, kGivenColour);
  window.CmdSolve_Click();
  EXPECT_EQ(view.Label1, "Difficulty     : 0 (Easy)");
}

TEST_F(SudokuTest, NewAfterSolveResetsColoursAndBoard) {
  enter_puzzle(window, kPuzzle);
  window.CmdSolve_Click();
  window.cmdNew_Click();
  for (int i = 0; i < 81; ++i) {
    EXPECT_EQ(view.cell(i).colour, kBlack);
    EXPECT_EQ(view.cell_text(i), "");
    EXPECT_EQ(board.cand_mask[i + 1], kAllDigits);
  }
  EXPECT_EQ(board.pass_count, 0);
  EXPECT_FALSE(view.CmdSolve);
}

}  // namespace
}  // namespace quorlen
