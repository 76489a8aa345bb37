// Generated puzzles: one solution each, the level asked for as the Solve
// command rates it, minimal and symmetric when asked, and the same puzzle
// from the same seed. The window's menu handlers use the generator too.
#include "generator/generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <utility>

#include "board/units.h"
#include "generator/random.h"
#include "solver/complete_search.h"
#include "support/scratch_dir.h"
#include "ui/headless_platform.h"
#include "ui/outcome_texts.h"
#include "ui/sudoku.h"

namespace quorlen {
namespace {

struct Row {
  std::optional<Level> level;
  bool minimal, symmetric;
  int puzzles;
  std::optional<RatingBand> rating = std::nullopt;
  std::optional<logic::Technique> technique = std::nullopt;
};

// easy, any_minimal, any_rated_40_49, very_difficult_minimal_symmetric...:
// the row's name in ctest.
void PrintTo(const Row& row, std::ostream* out) {
  std::string name = row.level ? std::string(level_name(*row.level)) : "any";
  if (row.technique) name += std::string("_") + logic::technique_name(*row.technique);
  for (char& c : name)
    c = std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '_';
  *out << name << (row.minimal ? "_minimal" : "") << (row.symmetric ? "_symmetric" : "");
  if (row.rating) *out << "_rated_" << row.rating->low << "_" << row.rating->high;
}

// The technique of the person's solver's hardest step, and its rating.
std::pair<logic::Technique, int> hardest_step(const DigitGrid& givens) {
  logic::Workspace work;
  const logic::Path path = logic::solve_path(logic::Grid::from_digits(givens), work);
  const auto hardest = std::find_if(path.steps.begin(), path.steps.end(),
                                    [&](const logic::Step& step) { return step.rating == path.rating.er; });
  return {hardest == path.steps.end() ? logic::Technique::full_house : hardest->technique, path.rating.er};
}

class Generated : public ::testing::TestWithParam<Row> {};

TEST_P(Generated, AsAsked) {
  const Row& row = GetParam();
  const PuzzleRequest request{row.level, row.minimal, row.symmetric, row.rating, row.technique};
  for (int n = 0; n < row.puzzles; ++n) {
    std::mt19937_64 random = puzzle_engine(20261207, static_cast<std::uint64_t>(n));
    const Puzzle p = make_puzzle(request, random);
    SCOPED_TRACE(puzzle_string(p.givens));
    DigitGrid solution{};
    ASSERT_EQ(count_solutions(p.givens, &solution), 1);
    EXPECT_EQ(solution, p.solution);
    int givens = 0;
    for (int i = 0; i < 81; ++i) {
      givens += p.givens[i] != 0;
      EXPECT_TRUE(p.givens[i] == 0 || p.givens[i] == p.solution[i]) << i;
      EXPECT_TRUE(!row.symmetric || (p.givens[i] != 0) == (p.givens[80 - i] != 0)) << i;
      if (row.minimal && p.givens[i] != 0) {
        DigitGrid fewer = p.givens;
        fewer[i] = fewer[row.symmetric ? 80 - i : i] = 0;
        EXPECT_EQ(count_solutions(fewer), 2) << "removable: " << i;
      }
    }
    EXPECT_EQ(p.given_count, givens);
    const Rating again = rate_puzzle(p.givens);
    EXPECT_EQ(std::tie(p.rating.passes, p.rating.guesses, p.rating.level),
              std::tie(again.passes, again.guesses, again.level));
    EXPECT_EQ(p.rating.level, row.level.value_or(p.rating.level));
    EXPECT_EQ(p.person.has_value(), row.rating || row.technique);
    if (p.person) {
      const auto [technique, er] = hardest_step(p.givens);
      EXPECT_EQ(p.person->er, er);
      EXPECT_TRUE(!row.rating || (er >= row.rating->low && er <= row.rating->high)) << er;
      EXPECT_EQ(technique, row.technique.value_or(technique));
    }
    std::mt19937_64 same = puzzle_engine(20261207, static_cast<std::uint64_t>(n));
    EXPECT_EQ(make_puzzle(request, same).givens, p.givens);
    EXPECT_FALSE(make_puzzle(request, same, [] { return true; }));  // a stop comes before any grid
  }
}

constexpr auto kAny = std::nullopt;
INSTANTIATE_TEST_SUITE_P(
    Requests, Generated,
    ::testing::Values(Row{Level::easy, false, false, 4}, Row{Level::medium, false, true, 4},
                      Row{Level::difficult, false, false, 4}, Row{Level::very_difficult, false, true, 4},
                      Row{kAny, false, false, 8}, Row{kAny, true, false, 8}, Row{kAny, true, true, 4},
                      Row{Level::easy, true, false, 1}, Row{Level::medium, true, false, 2},
                      Row{Level::very_difficult, true, true, 2},
                      Row{kAny, false, false, 4, RatingBand{40, 49}},
                      Row{kAny, true, true, 2, RatingBand{70, 79}},
                      Row{kAny, false, false, 2, kAny, logic::Technique::x_wing},
                      Row{Level::medium, true, false, 2, RatingBand{20, 29},
                          logic::Technique::naked_single}));

// Techniques the person's solver never takes as a step are never asked
// for; one that is rare gives up after the grids it may draw, the random
// source left where the next call carries on.
TEST(Generated, GivesUpWhereAsked) {
  for (const auto t : {logic::Technique::four_links, logic::Technique::grouped_four_links,
                       logic::Technique::direct_claiming})
    EXPECT_FALSE(can_be_hardest(t));
  EXPECT_TRUE(can_be_hardest(logic::Technique::jellyfish));
  std::mt19937_64 random = puzzle_engine(1, 0);
  PuzzleRequest jellyfish;
  jellyfish.technique = logic::Technique::jellyfish;
  EXPECT_FALSE(make_puzzle(
      jellyfish, random, [] { return false; }, 2));
  std::mt19937_64 fresh = puzzle_engine(1, 0);
  EXPECT_NE(random, fresh);
}

// The rating is the Solve command's: its counts after New, typing the
// givens, Freeze and Solve, for every puzzle of the collections.
TEST(Rating, IsTheSolveCommands) {
  testing::ScratchDir dir;
  HeadlessPlatform platform(dir.path);
  Sudoku window(platform);
  for (const char* name : {"easy50.txt", "clues25.txt", "top95.txt"}) {
    std::ifstream in(std::string(QUORLEN_TEST_DATA_DIR) + "/" + name);
    for (std::string line; std::getline(in, line);) {
      const DigitGrid givens = parse_puzzle(line.substr(0, 81)).value();
      window.enter_puzzle(givens);
      window.CmdSolve_Click();
      const Rating r = rate_puzzle(givens);
      ASSERT_EQ(std::tie(window.board().pass_count, window.board().guess_count, window.board().difficulty),
                std::tie(r.passes, r.guesses, r.difficulty))
          << line;
      // The caption's own format is pinned by the golden outcomes.
      EXPECT_EQ(window.view().Label1, difficulty_caption(r.difficulty)) << line;
    }
  }
}

// A new puzzle leaves the window as New, typing its givens and Freeze
// would, but without the "Guessed?" of the puzzle before, which New keeps;
// Count solutions tells the count of the digits on the grid and changes
// nothing.
TEST(Menu, NewPuzzleAndCount) {
  testing::ScratchDir dir;
  HeadlessPlatform platform(dir.path);
  Sudoku window(platform), typed(platform);
  for (Sudoku* w : {&window, &typed}) {  // a Solve that guesses once: "Yes  1", as New leaves it
    w->enter_puzzle(
        *parse_puzzle("534..8912672195348198342567859..1423426853791713924856961537284287419635345286179"));
    w->CmdSolve_Click();
  }
  window.mnuNewPuzzle_Click(Level::difficult);
  const DigitGrid givens = shown_digits(window.view());
  typed.cmdNew_Click();
  for (int i = 0; i < 81; ++i) typed.type_into_cell(i, std::string(givens[i] != 0, char('0' + givens[i])));
  typed.cmdFreeze_Click();
  View expected = typed.view();
  EXPECT_EQ(std::exchange(expected.Label4, ""), "Yes  1");
  EXPECT_EQ(window.view(), expected);
  EXPECT_EQ(window.board(), typed.board());

  const std::pair<std::string, const char*> counts[] = {
      {puzzle_string(givens), "exactly one solution"},
      {std::string(81, '.'), "more than one solution"},
      {"55" + std::string(79, '.'), "no solution"},  // a digit twice in the top row
  };
  for (const auto& [grid, count] : counts) {
    window.cmdNew_Click();
    for (int i = 0; i < 81; ++i) window.type_into_cell(grid_index(i / 9, i % 9), grid.substr(i, 1));
    const View view = window.view();
    const Board board = window.board();
    platform.messages.clear();
    window.mnuCountSolutions_Click();
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The digits on the grid have " + std::string(count) + "."});
    EXPECT_EQ(window.view(), view);
    EXPECT_EQ(window.board(), board);
  }
}

}  // namespace
}  // namespace quorlen
