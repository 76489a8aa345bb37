#include "files/sud_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/scratch_dir.h"

namespace quorlen {
namespace {

using testing::read_bytes;
using testing::ScratchDir;
using testing::write_bytes;

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

TEST(SudFile, NamesTheFirstBadLine) {
  std::string lines_82;
  for (int i = 0; i < 82; ++i) lines_82 += "1\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"5\r\n\r\n3", R"(Line 2 of "x.sud" is empty, not a digit from 0 to 9.)"},
      {"5\nabc\n", R"(Line 2 of "x.sud" is "abc", not a digit from 0 to 9.)"},
      {"12", R"(Line 1 of "x.sud" is "12", not a digit from 0 to 9.)"},
      {"-3", R"(Line 1 of "x.sud" is "-3", not a digit from 0 to 9.)"},
      {"4.5", R"(Line 1 of "x.sud" is "4.5", not a digit from 0 to 9.)"},
      {"+5", R"(Line 1 of "x.sud" is "+5", not a digit from 0 to 9.)"},
      {"  \t", R"(Line 1 of "x.sud" is "  \t", not a digit from 0 to 9.)"},
      {"5\r\r\n", R"(Line 1 of "x.sud" is "5\x0D", not a digit from 0 to 9.)"},
      {std::string("\0\xFF", 2), R"(Line 1 of "x.sud" is "\x00\xFF", not a digit from 0 to 9.)"},
      {std::string(100, '7'),
       R"(Line 1 of "x.sud" is "777777777777777777777777...", not a digit from 0 to 9.)"},
      {lines_82, R"("x.sud" has more than 81 lines; a puzzle file holds one line per cell.)"},
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

TEST(SudFile, ReadRefusesWhatIsNoPuzzleFile) {
  ScratchDir dir;
  write_bytes(dir / "good.sud", "5\n");
  EXPECT_EQ(read_sud_file(dir / "good.sud").cells, cells_of("5"));
  // Sparse: reading it whole would take seconds, so it must be refused unread.
  std::filesystem::resize_file(write_bytes(dir / "huge.sud", "1\n"), std::uintmax_t{8} << 30);
  EXPECT_EQ(read_sud_file(dir / "huge.sud").error,
            R"("huge.sud" is too large to be a puzzle file (more than 64 KiB).)");
  EXPECT_EQ(read_sud_file(dir / "missing.sud").error,
            "Cannot open \"" + (dir / "missing.sud").string() + "\": No such file or directory.");
  std::filesystem::create_directory(dir / "folder.sud");
  EXPECT_EQ(read_sud_file(dir / "folder.sud").error,
            "Cannot read \"" + (dir / "folder.sud").string() + "\": Is a directory.");
}

TEST(SudFile, ReplaceWritesANewFileOrChangesNothing) {
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

  const std::pair<std::filesystem::path, std::string> failures[] = {
      {dir / "no-such-folder" / "b.sud", "No such file or directory"},
      {file / "b.sud", "Not a directory"},  // under a file: even root cannot write there
      {dir.path(), "Is a directory"},
  };
  for (const auto& [path, reason] : failures) {
    EXPECT_EQ(replace_file(path, "lost"), "Cannot save \"" + path.string() + "\": " + reason + ".");
  }
  {
    testing::FileSizeLimit disk_full(3);  // the write stops after 3 bytes
    EXPECT_EQ(replace_file(file, "longer text"), "Cannot save \"" + file.string() + "\": File too large.");
  }
  EXPECT_EQ(read_bytes(file), "newer");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.sud", "link.sud"}));  // no temporary file left
}

}  // namespace
}  // namespace quorlen
