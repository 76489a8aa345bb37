// quorlen-solve with ".sud" puzzle files.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/batch.h"
#include "support/scratch_dir.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

TEST(BatchSud, EachFileIsLoadedAndSolvedAndABadOneIsSkipped) {
  const fs::path examples = QUORLEN_EXAMPLES_DIR;
  testing::ScratchDir dir;
  fs::copy_file(examples / "everyday-1.sud", dir / "UPPER.SUD");
  const std::string bad = testing::write_bytes(dir / "bad.sud", "5\n12\n");
  // A copy named in capitals, then each sample, which gives the outcome its name says.
  const std::pair<fs::path, std::string> files[] = {
      {dir / "UPPER.SUD",
       "Sudoku Solved\t483921657967345821251876493548132976729564138136798245372689514814253769695417382"},
      {examples / "everyday-1.sud", "Sudoku Solved"},
      {examples / "everyday-2.sud", "Sudoku Solved"},
      {examples / "hard-1.sud", "Sudoku Solved"},
      {examples / "hard-2.sud", "Sudoku Solved"},
      {examples / "empty-grid.sud", "Sudoku Solved"},
      {examples / "no-solution.sud", "The sudoku is not solvable"},
      {examples / "repeated-given.sud",
       "   Validation failed for row 1 - The number 3 is getting repeated   1  19"},
  };
  std::vector<std::string> inputs = {bad};
  for (const auto& file : files) inputs.push_back(file.first);
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(run_batch({.program_dir = dir.path, .inputs = inputs}, in, out, err), 2);
  EXPECT_EQ(err.str(), "quorlen-solve: " + bad +
                           R"(: Line 2 of "bad.sud" is "12", not a digit from 0 to 9. Skipped.)" + "\n");
  std::istringstream lines(out.str());
  std::string line;
  for (int number = 1; const auto& [path, outcome] : files) {
    std::getline(lines, line);
    EXPECT_TRUE(line.starts_with(std::to_string(number++) + "\t" + outcome + "\t")) << path << ": " << line;
  }
  EXPECT_FALSE(std::getline(lines, line)) << line;
}

}  // namespace
}  // namespace quorlen
