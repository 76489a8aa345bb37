#include "files/sud_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/scratch_dir.h"

namespace quorlen {
namespace {

using testing::read_bytes;
using testing::ScratchDir;

// Cells in cell-number order from a text of 81 digits, '.' for 0.
SudCells cells_of(std::string_view digits) {
  SudCells cells{};
  for (std::size_t i = 0; i < digits.size(); ++i)
    cells[i] = static_cast<std::uint8_t>(digits[i] == '.' ? 0 : digits[i] - '0');
  return cells;
}

const std::string kPuzzle =
    testing::sud_text("..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");

TEST(SudFile, ReadsFilesFromAnySystem) {
  const SudCells puzzle = parse_sud(kPuzzle, "x.sud").cells;
  EXPECT_EQ(puzzle[1], 9);  // cell 2: second row of the leftmost column
  std::string lf = kPuzzle;
  std::erase(lf, '\r');
  const struct {
    std::string bytes;
    SudCells expected;
  } cases[] = {
      {lf, puzzle},
      {"\xEF\xBB\xBF" + kPuzzle, puzzle},
      {kPuzzle.substr(0, kPuzzle.size() - 2), puzzle},  // no line end after line 81
      {"", {}},
      {"5\r\n 0 \r\n7", cells_of("5.7")},
      {"0\n00\n 0 \n5\n 5 \n05\n\t7\t\n000000009\n", cells_of("...55579")},
  };
  for (const auto& c : cases) {
    const SudRead read = parse_sud(c.bytes, "x.sud");
    EXPECT_EQ(read.error, "") << c.bytes;
    EXPECT_EQ(read.cells, c.expected) << c.bytes;
  }
}

// The window's tests go through the usual bad lines; these are about how a
// line is shown in the message.
TEST(SudFile, NamesTheFirstBadLineAsItCanBeShown) {
  const std::pair<std::string, std::string> cases[] = {
      {"+5", R"(Line 1 of "x.sud" is "+5", not a digit from 0 to 9.)"},
      {"  \t", R"(Line 1 of "x.sud" is "  \t", not a digit from 0 to 9.)"},
      {"5\r\r\n", R"(Line 1 of "x.sud" is "5\x0D", not a digit from 0 to 9.)"},
      {"5\n\xEF\xBB\xBF"
       "6",
       R"(Line 2 of "x.sud" is "\xEF\xBB\xBF6", not a digit from 0 to 9.)"},
      {std::string("\0\xFF", 2), R"(Line 1 of "x.sud" is "\x00\xFF", not a digit from 0 to 9.)"},
      {std::string(100, '7'),
       R"(Line 1 of "x.sud" is "777777777777777777777777...", not a digit from 0 to 9.)"},
  };
  for (const auto& [bytes, message] : cases) {
    const SudRead read = parse_sud(bytes, "x.sud");
    EXPECT_EQ(read.error, message);
    EXPECT_EQ(read.cells, SudCells{});
  }
}

TEST(SudFile, WritesTheSaveFormat) {
  SudCells cells{};
  cells[0] = 5;
  cells[80] = 9;
  std::string expected = "5\r\n";
  for (int i = 0; i < 79; ++i) expected += " 0 \r\n";
  expected += "9\r\n";
  EXPECT_EQ(format_sud(cells), expected);
  EXPECT_EQ(format_sud(parse_sud(kPuzzle, "x.sud").cells), kPuzzle);
}

TEST(SudFile, ReplaceKeepsPermissionsAndLinks) {
  ScratchDir dir;
  const auto file = dir / "a.sud";
  EXPECT_EQ(replace_file(file, "new"), "");
  EXPECT_EQ(read_bytes(file), "new");

  // A replaced file keeps its permissions, and a link to it stays a link.
  ::chmod(file.c_str(), 0640);
  std::filesystem::create_symlink(file, dir / "link.sud");
  EXPECT_EQ(replace_file(dir / "link.sud", "newer"), "");
  EXPECT_EQ(read_bytes(file), "newer");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.sud"));
  struct stat info {};
  ::stat(file.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  EXPECT_EQ(replace_file(dir.path(), "lost"), "Cannot save \"" + dir.path().string() + "\": Is a directory.");
  ::mkfifo((dir / "pipe").c_str(), 0600);
  EXPECT_EQ(replace_file(dir / "pipe", "lost"),
            "Cannot save \"" + (dir / "pipe").string() + "\": not a regular file.");
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
  EXPECT_EQ(read_bytes(file), "newer");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.sud", "link.sud", "pipe"}));  // no temporary file left
}

}  // namespace
}  // namespace quorlen
