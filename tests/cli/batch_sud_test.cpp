// quorlen-solve with ".sud" puzzle files.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch.h"
#include "support/scratch_dir.h"

namespace quorlen {
namespace {

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun run(const std::vector<std::string>& inputs, const std::filesystem::path& dir) {
  BatchOptions options;
  options.program_dir = dir;
  options.inputs = inputs;
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_batch(options, in, out, err);
  return {status, out.str(), err.str()};
}

// The second tab-separated field of each output line: the Solve message.
std::vector<std::string> messages(const std::string& out) {
  std::vector<std::string> result;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t start = line.find('\t') + 1;
    result.push_back(line.substr(start, line.find('\t', start) - start));
  }
  return result;
}

TEST(BatchSud, EachFileIsLoadedAndABadOneIsSkipped) {
  testing::ScratchDir dir;
  const std::string puzzle =
      "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
  const std::string good = testing::write_bytes(dir / "good.sud", testing::sud_text(puzzle));
  const std::string bad = testing::write_bytes(dir / "bad.sud", "5\n12\n");
  const std::string upper = testing::write_bytes(dir / "UPPER.SUD", testing::sud_text(puzzle, "\n"));

  const BatchRun result = run({good, bad, upper}, dir.path());
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "quorlen-solve: " + bad +
                            R"(: Line 2 of "bad.sud" is "12", not a digit from 0 to 9.)" + " Skipped.\n");
  EXPECT_EQ(messages(result.out), (std::vector<std::string>{"Sudoku Solved", "Sudoku Solved"}));
  EXPECT_NE(result.out.find("2\tSudoku Solved\t4839216579673458212518764935481329767295641381367982453726895"
                            "14814253769695417382\t"),
            std::string::npos);
}

TEST(BatchSud, TheSamplePuzzlesAreWhatTheirNamesSay) {
  const std::filesystem::path examples = QUORLEN_EXAMPLES_DIR;
  const std::pair<std::string, std::string> samples[] = {
      {"everyday-1.sud", "Sudoku Solved"},
      {"everyday-2.sud", "Sudoku Solved"},
      {"hard-1.sud", "Sudoku Solved"},
      {"hard-2.sud", "Sudoku Solved"},
      {"empty-grid.sud", "Sudoku Solved"},
      {"no-solution.sud", "The sudoku is not solvable"},
      {"repeated-given.sud", "   Validation failed for row 1 - The number 3 is getting repeated   1  19"},
  };
  testing::ScratchDir dir;
  for (const auto& [name, message] : samples) {
    const BatchRun result = run({(examples / name).string()}, dir.path());
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(messages(result.out), std::vector<std::string>{message}) << name;
  }
}

}  // namespace
}  // namespace quorlen
