// The sentences that explain placements and the hint's cases, from the rows
// of tests/data/explanations.txt; the steps browser's grids.
#include <gtest/gtest.h>

#include <map>

#include "board/grid_rules.h"
#include "board/units.h"
#include "support/text_cases.h"
#include "ui/hint_session.h"
#include "ui/outcome_texts.h"
#include "ui/steps_browser.h"

namespace quorlen {
namespace {

TEST(Explanation, SentencesAndHints) {
  std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/explanations.txt");
  int rows = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(line);
    const std::vector<std::string> w = testing::words_of(line);
    const auto number = [&](std::size_t i) { return static_cast<std::uint8_t>(std::stoi(w.at(i))); };
    if (w[0] == "sentence") {
      const std::map<std::string, Reason> kReasons = {{"cell", Reason::cell},
                                                      {"unit", Reason::unit},
                                                      {"guess", Reason::guess},
                                                      {"search", Reason::search}};
      const Reason reason = kReasons.at(w.at(1));
      const Placement p{static_cast<std::uint8_t>(grid_index(number(3) - 1, number(4) - 1)),
                        number(5),
                        {reason, number(2), number(6)}};
      DigitGrid grid{};
      for (std::size_t at = 0; w.at(8) != "-" && at < w[8].size(); at += 7) {  // rRcC:D,
        grid.at(static_cast<std::size_t>(grid_index(w[8][at + 1] - '1', w[8][at + 3] - '1'))) =
            static_cast<std::uint8_t>(w[8][at + 5] - '0');
      }
      EXPECT_EQ(reason_word(p.why.reason), w[1]);
      EXPECT_EQ(unit_name(p.why.unit), w.at(7));
      EXPECT_EQ(step_sentence(p, tell(grid, p)), w.at(9));
    } else {
      const HintSession hint(
          next_hint(*parse_puzzle(w.at(1)), *parse_puzzle(w.at(2) == "-" ? w[1] : w[2]), {}));
      static constexpr const char* kKinds[] = {"none", "wrong_digit", "wrong_note", "step"};
      EXPECT_EQ(kKinds[static_cast<int>(hint.hint().kind)], w.at(3));
      EXPECT_EQ(hint.hint().index, number(4) != 0 ? grid_index(number(4) - 1, number(5) - 1) : -1);
      EXPECT_EQ(hint.text(), w.at(6));
    }
    ++rows;
  }
  EXPECT_GE(rows, 27);
}

// Each step, chosen backwards within each group, shows the grid right after
// it. The puzzles retry from the givens, and the second gives up on its
// attempts.
TEST(StepsBrowser, ShowsTheGridRightAfterEachStep) {
  for (const char* puzzle :
       {"......4..1.4829.733..4.....69.....3...39..7.45...83..692.6.......1..7..5...1..9.8",
        "52...6.........7.13...........4..8..6......5...........418.........3..2...87....."}) {
    Board board = posed_board(*parse_puzzle(puzzle));
    auto steps = std::make_shared<SolveSteps>();
    run_attempts(board, steps.get());
    StepsBrowser browser(steps);
    for (std::size_t g = 0; g < browser.groups().size(); ++g) {
      const StepGroup& group = browser.groups()[g];
      for (std::size_t s = group.count; s-- > 0;) {
        browser.choose(g, s);
        ASSERT_EQ(browser.grid(), grid_after(*steps, group.first + s)) << puzzle << " " << g << " " << s;
      }
    }
  }
}

// A grid that breaks a rule: a digit twice in a unit, or an empty cell
// whose peers hold all nine.
bool broken(const DigitGrid& grid) {
  const RepeatUnits repeats = repeated_units(grid);
  for (int i = 0; i < 81; ++i) {
    if (repeats[i] != 0 || (grid[i] == 0 && allowed_digits(grid, i) == 0)) return true;
  }
  return false;
}

// Every step where a run of the Solve command broke the grid says so, the
// steps on a broken grid are marked, the others are not: checked on puzzles
// whose attempts fail, the second so often that the complete search ends it.
TEST(StepTelling, FailedRunsAreToldWhereTheyWentWrong) {
  int wrong = 0;
  for (const char* puzzle :
       {"......4..1.4829.733..4.....69.....3...39..7.45...83..692.6.......1..7..5...1..9.8",
        "52...6.........7.13...........4..8..6......5...........418.........3..2...87.....",
        "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......"}) {
    Board board = posed_board(*parse_puzzle(puzzle));
    SolveSteps steps;
    run_attempts(board, &steps);
    const std::vector<Telling> told = tell_steps(steps);
    for (std::size_t k = 0; k < told.size(); ++k) {
      const bool before = broken(grid_before(steps, k));
      SCOPED_TRACE(std::string(puzzle) + " step " + std::to_string(k) + ": " +
                   step_sentence(steps.placements[k], told[k]));
      EXPECT_EQ(after_wrong(told[k]), before);
      EXPECT_EQ(went_wrong(told[k]), !before && broken(grid_after(steps, k)));
      wrong += went_wrong(told[k]);
    }
  }
  EXPECT_GE(wrong, 3);
}

}  // namespace
}  // namespace quorlen
