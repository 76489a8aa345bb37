// The practice bank: every line is what the person's solver says of its
// puzzle, and picking prefers puzzles not posed recently.
#include "ui/practice.h"

#include <gtest/gtest.h>

#include <set>

namespace quorlen {
namespace {

TEST(PracticeBank, EveryLineIsWhatThePersonsSolverSays) {
  std::string error;
  const PracticeBank bank =
      PracticeBank::read(std::string(QUORLEN_TEST_DATA_DIR) + "/../../data/practice.txt", &error);
  ASSERT_EQ(error, "");
  ASSERT_GE(bank.entries().size(), 1500u);
#ifdef __OPTIMIZE__
  const std::size_t every = 1;
#else
  const std::size_t every = 25;  // a sample: the whole bank takes seconds only when optimised
#endif
  logic::Workspace work;
  std::set<int> bands;
  for (std::size_t i = 0; i < bank.entries().size(); i += every) {
    const PracticeEntry& entry = bank.entries()[i];
    EXPECT_EQ(rate_for_practice(entry.givens, work), entry) << "line " << i + 1;
    bands.insert(entry.er / 10);
  }
  EXPECT_EQ(bands.size(), 9u);  // a puzzle for every band offered, 1.x to 9.x
}

TEST(PracticeBank, ReadsOnlyRatedPuzzlesAndPicksFreshOnes) {
  const std::string puzzle =
      "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
  EXPECT_TRUE(parse_practice_line(puzzle + "\t2.3\tX-Wing"));
  EXPECT_EQ(parse_practice_line(puzzle + "\t12.3\tHidden Single")->er, 123);
  for (const std::string& bad : {puzzle + "\t2.3", puzzle + "\t2.3\tx-wing", puzzle + "\t23\tX-Wing",
                                 puzzle + "\t2.a\tX-Wing", puzzle.substr(1) + "\t2.3\tX-Wing"})
    EXPECT_FALSE(parse_practice_line(bad)) << bad;

  std::vector<PracticeEntry> entries(4);
  for (int i = 0; i < 4; ++i) entries[i] = {*parse_puzzle(puzzle), 20 + i, logic::Technique::x_wing};
  entries[3].technique = logic::Technique::naked_pair;
  PracticeBank bank(entries);
  std::mt19937_64 random(7);
  const PracticeChoice choice{RatingBand{20, 29}, logic::Technique::x_wing};
  std::set<int> picked;
  for (int i = 0; i < 3; ++i) picked.insert(bank.pick(choice, random)->er);
  EXPECT_EQ(picked, (std::set<int>{20, 21, 22}));  // none twice while another is fresh
  EXPECT_TRUE(bank.pick(choice, random));          // then the recent ones again
  EXPECT_FALSE(bank.pick({RatingBand{30, 39}, {}}, random));
}

}  // namespace
}  // namespace quorlen
