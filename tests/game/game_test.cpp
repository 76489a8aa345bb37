// The game's text forms: the texts a puzzle is read from (the cases of
// tests/data/texts), the game file and the statistics, each read back as
// written and refused with a reason when it is not one.
#include <gtest/gtest.h>

#include "board/units.h"
#include "game/game_file.h"
#include "game/puzzle_text.h"
#include "game/statistics.h"
#include "support/text_cases.h"

namespace quorlen {
namespace {

// "11=5,99=27": each cell's notes row by row, "-" for none.
std::string notes_text(const std::array<std::uint16_t, 81>& notes) {
  std::string text;
  for (int i = 0; i < 81; ++i) {
    const int mask = notes[static_cast<std::size_t>(grid_index(i / 9, i % 9))];
    if (mask == 0) continue;
    text += (text.empty() ? "" : ",") + std::to_string(i / 9 + 1) + std::to_string(i % 9 + 1) + "=";
    for (int d = 1; d <= 9; ++d)
      if (mask >> d & 1) text += static_cast<char>('0' + d);
  }
  return text.empty() ? "-" : text;
}

class PuzzleTexts : public ::testing::TestWithParam<testing::TextCase> {};

TEST_P(PuzzleTexts, Read) {
  const std::vector<std::string> text = testing::words_of(GetParam().lines.at(0).second);
  const std::vector<std::string> expected = testing::words_of(GetParam().lines.at(1).second);
  const FileResult<PuzzleText> read = read_puzzle_text(text.at(1));
  if (expected[0] == "refused") {
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().message, expected.at(1));
    return;
  }
  ASSERT_TRUE(read) << read.error().message;
  const PuzzleText& p = read.value();
  EXPECT_EQ(p.progress, expected[0] == "progress");
  EXPECT_EQ(puzzle_string(p.givens), expected.at(1));
  if (p.progress) {
    EXPECT_EQ(puzzle_string(p.digits) + " " + notes_text(p.notes), expected.at(2) + " " + expected.at(3));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Game, PuzzleTexts,
    ::testing::ValuesIn(testing::load_text_cases(std::filesystem::path(QUORLEN_TEST_DATA_DIR) / "texts")),
    [](const auto& param_info) {
      std::string name = param_info.param.name;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

// What the window's own play does not reach: every field at its extreme,
// and fields that go back to what the state before them had.
TEST(GameFile, EveryFieldReadsBackAsWritten) {
  Game odd;
  odd.cells[0] = {9, DigitOwner::solver, CellInk::solver, 0x3FE, true};
  odd.cells[80] = {0, DigitOwner::none, CellInk::given, 0x002, false};
  odd.controls = {true, false, true, false, true, false};
  odd.label1 = "a \"quoted\" \\ label";
  odd.label4 = "Yes  2147483647";
  odd.puzzle = UINT64_MAX;
  odd.level = 3;
  odd.givens_protected = odd.helped = odd.solved_by_command = odd.finished = true;
  odd.played_ms = INT64_MAX;
  Board& b = odd.board;
  b.is_valid = b.solvable = false;
  b.pass_count = b.guess_count = b.difficulty = INT32_MAX;
  b.repetition = {27, 9, 80, 81};
  b.given_value[81] = 9;
  set_cell_digit(b, 80, 9);
  b.tried_mask[1] = 0x3FE;
  SavedGame game{{Game{}, odd}, Game{}, {odd, Game{}}};
  game.present.label1 = "back";
  const std::string text = format_game(game);
  const FileResult<SavedGame> read = parse_game(text, "odd.quorlen");
  ASSERT_TRUE(read) << read.error().message << "\n" << text;
  EXPECT_TRUE(read.value() == game) << text;
  EXPECT_EQ(format_game(read.value()), text);

  // Bytes cut anywhere but after the last line never pass for the game.
  for (std::size_t size = 0; size + 1 < text.size(); ++size) {
    const FileResult<SavedGame> cut = parse_game(text.substr(0, size), "odd.quorlen");
    EXPECT_FALSE(cut && cut.value() == game) << size;
  }
}

TEST(Statistics, ReadBackAsWrittenAndTheBestIsTheFastestWithoutHelp) {
  Statistics s;
  record_start(s, 1);
  EXPECT_TRUE(record_finish(s, 1, 300, false));
  EXPECT_FALSE(record_finish(s, 1, 200, true));  // help: no best, however fast
  EXPECT_FALSE(record_finish(s, 1, 400, false));
  EXPECT_TRUE(record_finish(s, 1, 250, false));
  EXPECT_EQ(s.levels[1], (LevelStatistics{1, 4, 3, 250, 1150}));
  s.levels[3] = {INT64_MAX, INT64_MAX, INT64_MAX, 1, INT64_MAX};
  record_start(s, 3);
  record_finish(s, 3, 5, false);  // counts stay at their largest
  EXPECT_EQ(s.levels[3], (LevelStatistics{INT64_MAX, INT64_MAX, INT64_MAX, 1, INT64_MAX}));
  const FileResult<Statistics> read = parse_statistics(format_statistics(s), "s");
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), s);
  for (const char* bad :
       {"Quorlen statistics 2\n", "Quorlen statistics 1\neasy 1 1 2 - 0\n",
        "Quorlen statistics 1\nhard 1 1 1 - 0\n", "Quorlen statistics 1\neasy 1 1 1 -5 0\n"})
    EXPECT_FALSE(parse_statistics(bad, "s")) << bad;
}

}  // namespace
}  // namespace quorlen
