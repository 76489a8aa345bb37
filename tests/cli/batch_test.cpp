#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"

namespace quorlen {
namespace {

constexpr const char* kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

struct BatchRun {
  int status;
  std::string out, err;
};

BatchRun run(const std::string& input, BatchOptions options = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  if (options.program_dir.empty()) options.program_dir = std::filesystem::temp_directory_path();
  const int status = run_batch(options, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(PuzzleLine, ReadsRowByRowIntoTheColumnwiseGrid) {
  std::string line(81, '.');
  line[1] = '7';   // row 1, column 2: grid index 9
  line[9] = '3';   // row 2, column 1: grid index 1
  line[80] = '0';
  const auto cells = parse_puzzle_line(line + "  trailing text is ignored");
  ASSERT_TRUE(cells);
  EXPECT_EQ((*cells)[9], "7");
  EXPECT_EQ((*cells)[1], "3");
  EXPECT_EQ((*cells)[80], "");
  EXPECT_FALSE(parse_puzzle_line(std::string(80, '.')));
  EXPECT_FALSE(parse_puzzle_line(std::string(40, '.') + "x" + std::string(40, '.')));
}

TEST(Batch, PrintsOneTabSeparatedLinePerPuzzle) {
  std::string puzzle = kSolution;
  puzzle[40] = '.';
  const BatchRun r = run("# a comment\n\n" + puzzle + "\r\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  const auto fields = split(split(r.out, '\n').at(0), '\t');
  ASSERT_EQ(fields.size(), 8u);
  EXPECT_EQ(fields[0], "1");
  EXPECT_EQ(fields[1], "Sudoku Solved");
  EXPECT_EQ(fields[2], kSolution);
  EXPECT_EQ(fields[3], "Difficulty     : 0 (Easy)");
  EXPECT_EQ(fields[4], "No");
  EXPECT_EQ(fields[5], "2");
  EXPECT_EQ(fields[6], "0");
  EXPECT_NE(fields[7].find('.'), std::string::npos);
  EXPECT_EQ(fields[7].size() - fields[7].find('.'), 4u);  // three decimals
}

TEST(Batch, BadLinesAreNamedSkippedAndMakeTheStatusTwo) {
  std::string repeated(81, '.');
  repeated[0] = repeated[1] = '4';
  const BatchRun r = run(repeated + "\nnot a puzzle\n" + std::string(kSolution) + "\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("<stdin>:2"), std::string::npos) << r.err;
  const auto lines = split(r.out, '\n');
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(split(lines[0], '\t')[1], "   Validation failed for row 1 - The number 4 is getting repeated   1  10");
  EXPECT_EQ(split(lines[0], '\t')[2], repeated);  // not restored, as shown
  EXPECT_EQ(split(lines[1], '\t')[0], "2");       // numbering counts puzzles only
}

TEST(Batch, MissingFileIsReportedAndTheOthersStillRun) {
  const auto dir = std::filesystem::temp_directory_path() / "quorlen_batch_test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "one.txt") << kSolution << "\n";
  BatchOptions options;
  options.inputs = {(dir / "absent.txt").string(), (dir / "one.txt").string(), dir.string()};
  const BatchRun r = run("", options);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("absent.txt"), std::string::npos);
  EXPECT_EQ(split(r.out, '\n').size(), 1u);
  std::filesystem::remove_all(dir);
}

TEST(Batch, StepsWritesTheLogOfEachSolveIntoTheProgramDirectory) {
  const auto dir = std::filesystem::temp_directory_path() / "quorlen_batch_steps";
  std::filesystem::create_directories(dir);
  std::string puzzle = kSolution;
  puzzle[0] = '.';
  BatchOptions options;
  options.steps = true;
  options.program_dir = dir;
  const BatchRun r = run(puzzle + "\n", options);
  EXPECT_EQ(r.status, 0);
  std::ifstream log(dir / "steps.txt", std::ios::binary);
  std::stringstream content;
  content << log.rdbuf();
  EXPECT_EQ(content.str(), "\" Column 1 row 1  :Value5\"\r\n");

  options.program_dir = dir / "missing";
  const BatchRun failed = run(puzzle + "\n", options);
  EXPECT_EQ(split(failed.out, '\t').at(1), "Unable to write to the file.");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorlen
