// quorlen-generate as its users run it: the built program through a shell,
// its lines fed back to the built quorlen-solve.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "support/scratch_dir.h"

namespace quorlen {
namespace {

struct Ran {
  int status = -1;
  std::string out, err;
};

// Runs a shell command in a new folder; $G is quorlen-generate, $S quorlen-solve.
Ran shell(const std::string& command) {
  testing::ScratchDir dir;
  const std::string line = "cd '" + dir.path.string() +
                           "' && G='" QUORLEN_GENERATE "' S='" QUORLEN_SOLVE "' && { " + command +
                           "; } >out 2>err";
  const int status = std::system(line.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::read_bytes(dir / "out"),
          testing::read_bytes(dir / "err")};
}

std::vector<std::vector<std::string>> table(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    rows.emplace_back();
    for (std::string field; std::getline(fields, field, '\t');) rows.back().push_back(field);
  }
  return rows;
}

// Each line fed back to quorlen-solve: solved, the level and counts that it
// shows, one solution, and as many givens as the line says. --symmetric:
// cell i is empty iff cell 80-i is; --minimal: without any one given (and
// its partner, with --symmetric) each puzzle has two or more solutions.
class Levels : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(Levels, AreWhatQuorlenSolveRates) {
  const auto& [args, level] = GetParam();
  const Ran ran = shell("$G --seed 5 -j 2 " + args + " 6 >gen && $S --count gen && cat gen");
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.err, "");
  const auto rows = table(ran.out);
  ASSERT_EQ(rows.size(), 12u);
  const bool symmetric = args.find("--symmetric") != std::string::npos;
  const bool minimal = args.find("--minimal") != std::string::npos;
  std::string fewer;  // the puzzles less a given, each as a word
  for (std::size_t n = 0; n < 6; ++n) {
    const auto& solved = rows[n];
    const auto& made = rows[n + 6];
    SCOPED_TRACE(made[0]);
    ASSERT_EQ(solved.size(), 9u);
    ASSERT_EQ(made.size(), 6u);
    EXPECT_EQ(solved[1], "Sudoku Solved");
    EXPECT_EQ(solved[3], "Difficulty     : " + made[2] + " (" + made[1] + ")");
    EXPECT_EQ(solved[5] + " " + solved[6], made[4] + " " + made[5]);  // passes, guesses
    EXPECT_EQ(solved[8], "1");
    EXPECT_EQ(std::to_string(81 - std::count(made[0].begin(), made[0].end(), '.')), made[3]);
    EXPECT_EQ(made[1], level.empty() ? made[1] : level);
    for (std::size_t i = 0; i < 81; ++i) {
      EXPECT_TRUE(!symmetric || (made[0][i] == '.') == (made[0][80 - i] == '.')) << i;
      if (!minimal || made[0][i] == '.') continue;
      std::string less = made[0];
      less[i] = less[symmetric ? 80 - i : i] = '.';
      fewer += " " + less;
    }
  }
  if (!minimal) return;
  const Ran counts = shell("printf '%s\\n'" + fewer + " | $S --count-only -");
  ASSERT_EQ(counts.status, 0) << counts.err;
  const auto counted = table(counts.out);
  EXPECT_EQ(counted.size(), static_cast<std::size_t>(std::count(fewer.begin(), fewer.end(), ' ')));
  for (const auto& row : counted) EXPECT_EQ(row.at(1), "2+") << row[0];
}

INSTANTIATE_TEST_SUITE_P(Generate, Levels,
                         ::testing::Values(std::pair{"", ""}, std::pair{"--level easy", "Easy"},
                                           std::pair{"--level medium", "Medium"},
                                           std::pair{"--level=difficult", "Difficult"},
                                           std::pair{"--level very-difficult --symmetric", "Very Difficult"},
                                           std::pair{"--minimal", ""},
                                           std::pair{"--minimal --symmetric --level medium", "Medium"}));

// Puzzles by the person's solver's rating, or its hardest technique: fed
// back to quorlen-solve --rate, each rates the ER its line ends with, in the
// band, with the technique asked for as its hardest; the same lines on one
// thread as on two.
class Rated : public ::testing::TestWithParam<std::tuple<std::string, int, int, std::string>> {};

TEST_P(Rated, AsQuorlenSolveRatesThem) {
  const auto& [args, low, high, technique] = GetParam();
  const Ran ran = shell("$G --seed 3 -j 2 " + args + " 4 >gen && $S --rate gen && $G --seed 3 -j 1 " + args +
                        " 4 | cmp - gen");
  ASSERT_EQ(ran.status, 0) << ran.err;
  const auto rows = table(ran.out);
  ASSERT_EQ(rows.size(), 4u);
  for (const auto& row : rows) {
    SCOPED_TRACE(ran.out);
    ASSERT_EQ(row.size(), 6u);
    const int er = std::stoi(row[1]) * 10 + (row[1].back() - '0');
    EXPECT_GE(er, low);
    EXPECT_LE(er, high);
    EXPECT_EQ(row[4], technique.empty() ? row[4] : technique);
  }
  const Ran made = shell("$G --seed 3 -j 2 " + args + " 4 | cut -f7 | paste -s");
  std::string ers;
  for (const auto& row : rows) ers += (ers.empty() ? "" : "\t") + row[1];
  EXPECT_EQ(made.out, ers + "\n");
}

INSTANTIATE_TEST_SUITE_P(Generate, Rated,
                         ::testing::Values(std::tuple{"--rating 4.0-4.9", 40, 49, ""},
                                           std::tuple{"--rating=7.0-7.9 --minimal --symmetric", 70, 79, ""},
                                           std::tuple{"--technique xy-wing", 42, 42, "XY-Wing"},
                                           std::tuple{"--technique 'Naked Pair' --rating 3.0", 30, 30,
                                                      "Naked Pair"}));

// A run without --seed names its seed on standard error; that seed gives
// the same lines again, whatever the number of threads. Another seed gives
// other puzzles.
TEST(Generate, ASeedRepeatsARunOnAnyNumberOfThreads) {
  const Ran first = shell("$G -j 2 --minimal 8");
  ASSERT_EQ(first.status, 0);
  ASSERT_EQ(first.err.rfind("quorlen-generate: seed ", 0), 0u) << first.err;
  const std::string seed = first.err.substr(23, first.err.size() - 24);
  const Ran again = shell("$G --minimal -j1 --seed " + seed + " 8");
  EXPECT_EQ(again.out, first.out);
  EXPECT_EQ(again.err, "");
  EXPECT_EQ(table(first.out).size(), 8u);
  const Ran other = shell("$G --minimal --seed=2 8");
  ASSERT_EQ(other.status, 0) << other.err;
  EXPECT_EQ(table(other.out).size(), 8u);
  EXPECT_NE(other.out, first.out);
}

}  // namespace
}  // namespace quorlen
