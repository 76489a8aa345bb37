// The Solve command reproduces the recorded outcomes of tests/data/
// golden_solves.tsv exactly: message, grid, captions, counts, the grid's
// look and every byte of the step log. QUORLEN_GOLDEN_FILE names another
// file of the same format (for example the full set of quorlen_make_golden
// --all) to check instead. The steps the window works out after a Solve
// that logged nothing are those the step log holds.
#include "golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/scratch_dir.h"

namespace quorlen {
namespace {

TEST(GoldenSolves, EveryRecordedSolveIsReproducedExactly) {
  const char* override_path = std::getenv("QUORLEN_GOLDEN_FILE");
  const std::string path =
      override_path != nullptr ? override_path : std::string(QUORLEN_TEST_DATA_DIR) + "/golden_solves.tsv";
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path;

  testing::ScratchDir dir;
  HeadlessPlatform platform(dir.path);
  Sudoku window(platform);
  int compared = 0, mismatches = 0;
  for (std::string line; std::getline(in, line) && mismatches < 10;) {
    if (line.empty() || line.front() == '#') continue;
    // source, line number, puzzle, then the recorded fields.
    const std::size_t puzzle_at = line.find('\t', line.find('\t') + 1) + 1;
    const auto puzzle = parse_puzzle(std::string_view(line).substr(puzzle_at, 81));
    ASSERT_TRUE(puzzle && line.size() > puzzle_at + 82) << "malformed: " << line;
    const std::string recorded = line.substr(puzzle_at + 82);
    ++compared;
    const std::string solved = golden::record_solve(window, platform, *puzzle);
    // Solved again without the log, which stays as the logged Solve left it.
    window.enter_puzzle(*puzzle);
    window.set_save_to_file(false);
    window.CmdSolve_Click();
    ASSERT_EQ(step_log_records(window.last_solve_steps()), testing::read_bytes(dir / "steps.txt")) << line;
    if (solved == recorded) continue;
    ++mismatches;
    EXPECT_EQ(golden::record_solve(window, platform, *puzzle), recorded) << line.substr(0, puzzle_at + 81);
  }
  // The committed file has a few hundred outcomes; a short file means a bad
  // checkout or generator, not a pass.
  EXPECT_GE(compared, override_path != nullptr ? 1 : 300) << path;
  std::printf("%d recorded solves compared\n", compared);
}

}  // namespace
}  // namespace quorlen
