// The practice bank: every line is what the person's solver says of its
// puzzle, and picking prefers puzzles not posed recently.
#include "ui/practice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// Lines that are not bank lines are refused; a build finds the bank next
// to the program, an install in share/quorlen beside its bin folder.
TEST(PracticeBank, ReadsOnlyRatedPuzzlesFromWhereTheProgramIs) {
  const std::string puzzle =
      "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
  EXPECT_EQ(parse_practice_line(puzzle + "\t12.3\tX-Wing")->er, 123);
  for (const std::string& bad : {puzzle + "\t2.3", puzzle + "\t2.3\tx-wing", puzzle + "\t23\tX-Wing",
                                 puzzle + "\t2.a\tX-Wing", puzzle.substr(1) + "\t2.3\tX-Wing"})
    EXPECT_FALSE(parse_practice_line(bad)) << bad;

  const std::filesystem::path root = std::filesystem::temp_directory_path() / "quorlen-practice-test";
  std::filesystem::create_directories(root / "bin");
  EXPECT_EQ(practice_bank_file(root / "bin"), root / "bin" / "practice.txt");
  std::filesystem::create_directories(root / "share" / "quorlen");
  std::ofstream(root / "share" / "quorlen" / "practice.txt") << puzzle << "\t2.3\tX-Wing\nnot a puzzle\n";
  std::string error;
  EXPECT_TRUE(PracticeBank::read(practice_bank_file(root / "bin"), &error).entries().empty());
  EXPECT_NE(error.find("share/quorlen/practice.txt: line 2 is not a rated puzzle"), std::string::npos);
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace quorlen
