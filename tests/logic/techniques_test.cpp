// One case per technique (tests/data/logic/techniques.txt): on the case's
// grid, the next step (or, for a case with a `links` or `wing` line, the
// step of the search for that many strong links or set cells, which the
// rating's order leaves out) is exactly the one written, with what it
// places, strikes and shows.
#include "logic/techniques.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "logic/rating.h"
#include "support/text_cases.h"

namespace quorlen::logic {
namespace {

std::string cell_name(int cell) {
  return "r" + std::to_string(row_of(cell) + 1) + "c" + std::to_string(column_of(cell) + 1);
}

// "r1c2:57 r3c4:1", candidates grouped by cell, or "-" for none.
std::string candidates_text(const std::vector<Candidate>& candidates) {
  std::string text;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (i == 0 || candidates[i].cell != candidates[i - 1].cell)
      text += (i == 0 ? "" : " ") + cell_name(candidates[i].cell) + ":";
    text += static_cast<char>('0' + candidates[i].digit);
  }
  return text.empty() ? "-" : text;
}

// The inverse, for the struck candidates; false on a malformed word.
bool read_candidates(const std::vector<std::string>& words, std::vector<Candidate>& out) {
  for (std::size_t w = 1; w < words.size(); ++w) {
    const std::string& word = words[w];
    if (word == "-") continue;
    if (word.size() < 6 || word[0] != 'r' || word[2] != 'c' || word[4] != ':') return false;
    const int cell = (word[1] - '1') * 9 + (word[3] - '1');
    if (cell < 0 || cell >= 81) return false;
    for (std::size_t i = 5; i < word.size(); ++i)
      out.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(word[i] - '0')});
  }
  return true;
}

class Techniques : public ::testing::TestWithParam<testing::TextCase> {};

TEST_P(Techniques, NextStepIsTheOneWritten) {
  std::string grid_text, step_text, places = "-", strikes = "-", cells;
  int links = 0, wing = 0;
  std::vector<Candidate> struck;
  for (const auto& [number, line] : GetParam().lines) {
    const std::vector<std::string> words = testing::words_of(line);
    const std::string rest = line.substr(std::min(line.size(), words[0].size() + 1));
    if (words[0] == "grid") grid_text = rest;
    if (words[0] == "struck") {
      ASSERT_TRUE(read_candidates(words, struck)) << "line " << number;
    }
    if (words[0] == "step") step_text = rest;
    if (words[0] == "places") places = rest;
    if (words[0] == "strikes") strikes = rest;
    if (words[0] == "cells") cells = rest;
    if (words[0] == "links") links = std::stoi(rest);
    if (words[0] == "wing") wing = std::stoi(rest);
  }
  auto grid = Grid::from_string(grid_text);
  ASSERT_TRUE(grid) << grid_text;
  for (const Candidate c : struck)
    ASSERT_TRUE(grid->eliminate(c.cell, c.digit)) << cell_name(c.cell) << " " << int{c.digit};
  Workspace work;
  std::optional<Step> step = next_step(*grid, work);
  if (links > 0) {
    ASSERT_TRUE(find_strong_links(*grid, step.emplace(), work, links));
  }
  if (wing > 0) {
    ASSERT_TRUE(find_set_wing(*grid, step.emplace(), work, wing));
  }
  ASSERT_TRUE(step);
  EXPECT_EQ(step_name(*step) + " " + rating_text(step->rating), step_text);
  EXPECT_EQ(candidates_text(step->placements), places);
  EXPECT_EQ(candidates_text(step->eliminations), strikes);
  std::string shown;
  for (const int cell : step->cells) shown += (shown.empty() ? "" : " ") + cell_name(cell);
  EXPECT_EQ(shown, cells);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Techniques,
    ::testing::ValuesIn(testing::load_text_cases(std::filesystem::path(QUORLEN_TEST_DATA_DIR) / "logic")));

}  // namespace
}  // namespace quorlen::logic
