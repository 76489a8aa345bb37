// The Solve command reproduces the recorded outcomes of tests/data/
// golden_solves.tsv exactly: message, grid, captions, counts, the grid's
// look and every byte of the step log. QUORLEN_GOLDEN_FILE names another
// file of the same format (for example the full set of quorlen_make_golden
// --all) to check instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "support/golden.h"

namespace quorlen {
namespace {

using testing::GoldenEntry;

std::vector<GoldenEntry> load_golden(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<GoldenEntry> entries;
  long number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line.front() == '#') continue;
    auto entry = testing::parse_golden(line);
    EXPECT_TRUE(entry.has_value()) << path << ":" << number << ": malformed line";
    if (entry) entries.push_back(std::move(*entry));
  }
  return entries;
}

TEST(GoldenSolves, EveryRecordedSolveIsReproducedExactly) {
  const char* override_path = std::getenv("QUORLEN_GOLDEN_FILE");
  const std::string path =
      override_path != nullptr ? override_path : std::string(QUORLEN_TEST_DATA_DIR) + "/golden_solves.tsv";
  const auto entries = load_golden(path);
  // The committed file has a few hundred outcomes; a short file means a bad
  // checkout or generator, not a pass.
  ASSERT_GE(entries.size(), override_path != nullptr ? 1u : 300u) << path;

  const auto dir = std::filesystem::temp_directory_path() / ("quorlen_golden_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  testing::ScriptedPlatform platform(dir);
  Sudoku window(platform);
  int mismatches = 0;
  for (const GoldenEntry& e : entries) {
    const testing::SolveRecord got = testing::record_solve(window, platform, e.puzzle);
    if (got == e.record) continue;
    ++mismatches;
    const std::string where = e.source + ":" + std::to_string(e.line) + " " + e.puzzle;
    EXPECT_EQ(got.message, e.record.message) << where;
    EXPECT_EQ(got.grid, e.record.grid) << where;
    EXPECT_EQ(got.label1, e.record.label1) << where;
    EXPECT_EQ(got.label4, e.record.label4) << where;
    EXPECT_EQ(got.pass_count, e.record.pass_count) << where;
    EXPECT_EQ(got.guess_count, e.record.guess_count) << where;
    EXPECT_EQ(got.log_bytes, e.record.log_bytes) << where;
    EXPECT_EQ(testing::hex64(got.log_hash), testing::hex64(e.record.log_hash)) << where << " (step log)";
    EXPECT_EQ(testing::hex64(got.view_hash), testing::hex64(e.record.view_hash)) << where << " (grid look)";
    if (mismatches >= 10) break;  // enough to go on
  }
  std::filesystem::remove_all(dir);
  EXPECT_EQ(mismatches, 0);
  std::printf("%zu recorded solves compared\n", entries.size());
}

}  // namespace
}  // namespace quorlen
