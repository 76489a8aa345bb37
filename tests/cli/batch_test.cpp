// quorlen-solve's batch run: puzzle lines and ".sud" files in, one line of
// fields per puzzle out.
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/scratch_dir.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

struct BatchRun {
  int status;
  std::string out, err;
};

BatchRun run(const fs::path& dir, const std::string& input, std::vector<std::string> files = {},
             bool steps = false) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status =
      run_batch({.steps = steps, .program_dir = dir, .inputs = std::move(files)}, in, out, err);
  return {status, out.str(), err.str()};
}

// Every field but the time, which must have three decimals.
std::string without_time(const std::string& out) {
  std::istringstream lines(out);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t tab = line.rfind('\t');
    EXPECT_EQ(line.size() - line.find('.', tab), 4u) << line;
    kept += line.substr(0, tab) + "\n";
  }
  return kept;
}

TEST(Batch, PrintsOneLineOfFieldsPerPuzzleAndSkipsWhatIsNoPuzzle) {
  testing::ScratchDir dir;
  const std::string solution =
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  std::string hole = solution;
  hole[40] = '.';
  const BatchRun r = run(dir.path, "# a comment\n\n" + hole + " trailing text\r\nnot a puzzle\n44" +
                                       std::string(79, '.') + "\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "quorlen-solve: <stdin>:4: not a puzzle (81 characters 1-9, 0 or . expected), skipped\n");
  EXPECT_EQ(without_time(r.out),
            "1\tSudoku Solved\t" + solution +
                "\tDifficulty     : 0 (Easy)\tNo\t2\t0\n"
                "2\t   Validation failed for row 1 - The number 4 is getting repeated   1  10\t44" +
                std::string(79, '.') + "\t\tNo\t0\t0\n");
}

TEST(Batch, FilesAndSudFilesAndWhatCannotBeRead) {
  testing::ScratchDir dir;
  const fs::path examples = QUORLEN_EXAMPLES_DIR;
  fs::copy_file(examples / "everyday-1.sud", dir / "UPPER.SUD");
  testing::write_bytes(dir / "bad.sud", "5\n12\n");
  testing::write_bytes(dir / "one.txt", "1" + std::string(80, '.') + "\n");
  const BatchRun r =
      run(dir.path, "",
          {(dir / "absent.txt").string(), (dir / "UPPER.SUD").string(), (dir / "bad.sud").string(),
           (dir / "one.txt").string(), (examples / "no-solution.sud").string(), dir.path.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "quorlen-solve: " + (dir / "absent.txt").string() + ": cannot be opened, skipped\n" +
                       "quorlen-solve: " + (dir / "bad.sud").string() +
                       ": Line 2 of \"bad.sud\" is \"12\", not a digit from 0 to 9. Skipped.\n" +
                       "quorlen-solve: " + dir.path.string() + ": cannot be opened, skipped\n");
  std::istringstream lines(r.out);
  std::vector<std::string> starts;
  for (std::string line; std::getline(lines, line);) starts.push_back(line.substr(0, line.find('\t', 3)));
  EXPECT_EQ(starts, (std::vector<std::string>{"1\tSudoku Solved", "2\tSudoku Solved",
                                              "3\tThe sudoku is not solvable"}));
}

TEST(Batch, StepsWritesEachSolvesLogIntoTheProgramFolder) {
  testing::ScratchDir dir;
  const std::string puzzle =
      "." + std::string("34678912672195348198342567859761423426853791713924856961537284287419635345286179");
  EXPECT_EQ(run(dir.path, puzzle + "\n", {}, true).status, 0);
  EXPECT_EQ(testing::read_bytes(dir / "steps.txt"), "\" Column 1 row 1  :Value5\"\r\n");
  const BatchRun failed = run(dir / "missing", puzzle + "\n", {}, true);
  EXPECT_NE(failed.out.find("\tUnable to write to the file.\t"), std::string::npos) << failed.out;
}

}  // namespace
}  // namespace quorlen
