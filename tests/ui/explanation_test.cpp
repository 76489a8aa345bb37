// The sentences that explain placements, the hint's cases, and the steps
// the window keeps of its last Solve, which are the step log's.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "board/units.h"
#include "files/step_log.h"
#include "support/scratch_dir.h"
#include "ui/headless_platform.h"
#include "ui/hint.h"
#include "ui/outcome_texts.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

Placement at(int row, int column, int digit, Reason reason, int unit, int places = 0) {
  return {static_cast<std::uint8_t>(grid_index(row - 1, column - 1)), static_cast<std::uint8_t>(digit),
          {reason, static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(places)}};
}

TEST(Explanation, EachReasonInEachKindOfUnitHasItsSentence) {
  const struct {
    Placement placement;
    const char *words, *sentence;
  } rows[] = {
      {at(3, 5, 7, Reason::cell, 12), "cell row 3",
       "Row 3, column 5: 7 is the only digit left once row 3's digits are struck"},
      {at(1, 9, 2, Reason::cell, 9), "cell column 9",
       "Row 1, column 9: 2 is the only digit left once column 9's digits are struck"},
      {at(5, 2, 4, Reason::cell, 20), "cell 3x3 box 2",
       "Row 5, column 2: 4 is the only digit left once 3x3 box 2's digits are struck"},
      {at(9, 1, 1, Reason::unit, 1), "unit column 1", "Row 9, column 1: 1 has no other place in column 1"},
      {at(6, 6, 8, Reason::unit, 15), "unit row 6", "Row 6, column 6: 8 has no other place in row 6"},
      {at(2, 8, 3, Reason::unit, 25), "unit 3x3 box 7", "Row 2, column 8: 3 has no other place in 3x3 box 7"},
      {at(4, 4, 4, Reason::guess, 4, 2), "guess column 4",
       "Row 4, column 4: 4 is a guess, since no rule places a digit: 4 has 2 places left in column 4, the "
       "fewest of any digit still to be tried"},
      {at(8, 3, 6, Reason::guess, 17, 3), "guess row 8",
       "Row 8, column 3: 6 is a guess, since no rule places a digit: 6 has 3 places left in row 8, the fewest "
       "of any digit still to be tried"},
      {at(9, 9, 9, Reason::guess, 27, 2), "guess 3x3 box 9",
       "Row 9, column 9: 9 is a guess, since no rule places a digit: 9 has 2 places left in 3x3 box 9, the "
       "fewest of any digit still to be tried"},
      {at(7, 4, 5, Reason::search, 0), "search ",
       "Row 7, column 4: 5 is the complete search's solution, placed after the attempts gave up"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(std::string(reason_word(row.placement.why.reason)) + " " + unit_name(row.placement.why.unit),
              row.words);
    EXPECT_EQ(step_sentence(row.placement), row.sentence);
  }
}

// easy50's first puzzle and its solution, less four cells.
constexpr const char* kEasy = "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
constexpr const char* kSolved = "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
constexpr const char* kHoles = ".839216579673458212518764935481329767295.413813679824537268951481425376969541738.";
constexpr const char* kEmpty = ".................................................................................";

TEST(Explanation, TheHintNamesAWrongDigitFirstThenTheSolveCommandsFirstStep) {
  const struct {
    const char *givens, *shown;
    HintKind kind;
    int row, column;  // the cell it names, 0 for none
    const char* text;
  } rows[] = {
      // 4 is right, 5 and 1 are wrong: the first wrong one row by row.
      {kEasy, "453.2.6..91.3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..",
       HintKind::wrong_digit, 1, 2,
       "Row 1, column 2: the 5 there is wrong; the puzzle's one solution has another digit"},
      // A right digit typed is part of the grid the Solve starts from.
      {kEasy, kEasy, HintKind::step, 5, 7, "Row 5, column 7: 1 is the only digit left once row 5's digits are struck"},
      {kEmpty, kHoles, HintKind::step, 1, 1,
       "Row 1, column 1: 4 is the only digit left once column 1's digits are struck"},
      {"4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........", nullptr,
       HintKind::step, 9, 3, "Row 9, column 3: 7 has no other place in 3x3 box 3"},
      // No rule places a digit here.
      {"....4...1.3.6.....8........1.9..5.........87....2......7....26.5...94.........3..", nullptr,
       HintKind::step, 4, 4,
       "Row 4, column 4: 4 is a guess, since no rule places a digit: 4 has 2 places left in column 4, the "
       "fewest of any digit still to be tried"},
      // Givens without one solution: the person's digits are not judged.
      {"11...............................................................................", nullptr,
       HintKind::none, 0, 0, "Row 1 holds 1 twice"},
      {kEmpty, "5.........5......................................................................", HintKind::none,
       0, 0, "3x3 box 1 holds 5 twice"},
      {kEmpty, "12345678.........9...............................................................",
       HintKind::none, 0, 0, "The grid as shown has no solution"},
      {kEasy, kSolved, HintKind::none, 0, 0, "Every cell is filled"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const Hint hint = hint_for(*parse_puzzle(row.givens), *parse_puzzle(row.shown ? row.shown : row.givens));
    EXPECT_EQ(hint.kind, row.kind);
    EXPECT_EQ(hint.index, row.row != 0 ? grid_index(row.row - 1, row.column - 1) : -1);
    EXPECT_EQ(hint.text, row.text);
  }
}

std::string records_of(const SolveSteps& steps) {
  std::string records;
  for (const Placement& p : steps.placements) append_step_record(records, p.index, p.digit);
  return records;
}

// Every placement of the step log, in its order, failed attempts included,
// whether the steps were kept from a logged Solve or worked out afterwards.
TEST(Explanation, TheLastSolvesStepsAreTheStepLogs) {
  testing::ScratchDir dir;
  HeadlessPlatform platform(dir.path);
  Sudoku window(platform);
  EXPECT_TRUE(window.last_solve_steps().placements.empty());
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/golden_solves.tsv");
  int solves = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const DigitGrid givens = *parse_puzzle(line.substr(line.find('\t', line.find('\t') + 1) + 1, 81));
    enter_puzzle(window, givens);
    window.view().Check2 = true;
    window.CmdSolve_Click();
    std::ifstream log(dir / "steps.txt", std::ios::binary);
    const std::string logged{std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
    ASSERT_EQ(records_of(window.last_solve_steps()), logged) << line;
    const SolveSteps kept = window.last_solve_steps();
    enter_puzzle(window, givens);
    window.view().Check2 = false;
    window.CmdSolve_Click();
    const SolveSteps& again = window.last_solve_steps();
    ASSERT_EQ(again.placements, kept.placements) << line;
    ASSERT_EQ(again.runs, kept.runs) << line;
    ASSERT_EQ(again.start, givens);
    ++solves;
  }
  EXPECT_GT(solves, 300);
  window.cmdNew_Click();
  EXPECT_TRUE(window.last_solve_steps().placements.empty());
}

}  // namespace
}  // namespace quorlen
