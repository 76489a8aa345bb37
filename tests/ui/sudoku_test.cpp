// The board commands and cell entry of the window logic.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace quorlen {
namespace {

using testing::enter_puzzle;
using testing::shown_grid;

// Enabled states of Load, Save, Freeze, Restart, Solve.
std::string buttons(const View& v) {
  std::string s;
  for (bool on : {v.cmdLoad, v.cmdSave, v.cmdFreeze, v.cmdRestart, v.CmdSolve}) s += on ? '1' : '0';
  return s;
}

constexpr std::string_view kPuzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";

class SudokuTest : public ::testing::Test {
 protected:
  testing::ScriptedPlatform platform;
  Sudoku window{platform};
  View& view = window.view();
  const Board& board = window.board();
};

TEST_F(SudokuTest, StartLocksEverythingButNewAndNewUnlocksTheGrid) {
  EXPECT_TRUE(view.cmdNew);
  EXPECT_EQ(buttons(view), "00000");
  EXPECT_FALSE(window.type_into_cell(0, "5"));
  EXPECT_EQ(view.cell_text(0), "");

  view.Label1 = "Difficulty     : 0 (Easy)";
  view.Label4 = "Yes  3";
  view.Check2 = true;
  window.cmdNew_Click();
  EXPECT_EQ(buttons(view), "11100");
  EXPECT_EQ(view.Label1, "");
  EXPECT_EQ(view.Label4, "Yes  3");  // New leaves "Guessed?" and "Save to File"
  EXPECT_TRUE(view.Check2);
  EXPECT_TRUE(window.type_into_cell(80, "5"));
}

TEST_F(SudokuTest, CellsKeepOnlyDigitsOneToNine) {
  window.cmdNew_Click();
  for (const char* text : {"0", "a", " ", "-", ".", "\xC3\xA9", ""}) {
    window.type_into_cell(10, text);
    EXPECT_EQ(view.cell_text(10), "") << text;
  }
  window.type_into_cell(10, "9");
  EXPECT_EQ(view.cell_text(10), "9");
  window.type_into_cell(10, "47");  // cut to the maximum length
  EXPECT_EQ(view.cell_text(10), "4");
  EXPECT_EQ(board.cell_value[10], kEmptyCell);  // typing never reaches the board
}

TEST_F(SudokuTest, FreezeMakesTheGridTheGivens) {
  enter_puzzle(window, kPuzzle);
  EXPECT_EQ(buttons(view), "11111");
  EXPECT_EQ(shown_grid(view), kPuzzle);
  // Row 1, column 3 is cell 19 (grid index 18).
  EXPECT_EQ(board.given_value[19], 3);
  EXPECT_EQ(board.cand_mask[19], 8);
  EXPECT_EQ(view.cell(18).colour, kGivenColour);
  EXPECT_EQ(board.given_value[1], kNotGiven);
  EXPECT_TRUE(view.cell(0).enabled);  // Freeze locks nothing

  // A digit typed after Freeze is not part of the puzzle; Restart clears it
  // and brings back a given the user overwrote.
  window.type_into_cell(0, "4");
  window.type_into_cell(18, "7");
  EXPECT_EQ(board.cell_value[0], kEmptyCell);
  window.cmdRestart_Click();
  EXPECT_EQ(shown_grid(view), kPuzzle);
}

TEST_F(SudokuTest, RestartAfterSolveKeepsTheSolverColourOnEmptiedCells) {
  enter_puzzle(window, kPuzzle);
  window.CmdSolve_Click();
  ASSERT_EQ(platform.messages.back(), "Sudoku Solved");
  window.cmdRestart_Click();
  EXPECT_EQ(shown_grid(view), kPuzzle);
  EXPECT_EQ(view.cell(0).colour, kSolverBlue);
  EXPECT_EQ(view.cell(18).colour, kGivenColour);
  EXPECT_EQ(board.pass_count + board.guess_count, 0);
  window.type_into_cell(0, "4");
  EXPECT_EQ(view.cell(0).colour, kSolverBlue);  // typing keeps the colour
  EXPECT_NE(view.Label1, "");                   // Restart leaves the labels
}

TEST_F(SudokuTest, FreezeAfterSolveMakesEveryDigitAGivenAndNewClearsAll) {
  enter_puzzle(window, kPuzzle);
  window.CmdSolve_Click();
  window.cmdFreeze_Click();
  for (int n = 1; n <= 81; ++n) EXPECT_NE(board.given_value[n], kNotGiven);
  window.CmdSolve_Click();
  EXPECT_EQ(view.Label1, "Difficulty     : 0 (Easy)");

  window.cmdNew_Click();
  for (int i = 0; i < 81; ++i) {
    EXPECT_EQ(view.cell(i).colour, kBlack);
    EXPECT_EQ(board.cand_mask[i + 1], kAllDigits);
  }
  EXPECT_EQ(shown_grid(view), std::string(81, '.'));
  EXPECT_EQ(buttons(view), "11100");
}

}  // namespace
}  // namespace quorlen
