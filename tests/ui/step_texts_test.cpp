// The texts of the person's solver's steps, on every step of the technique
// tables (tests/data/logic): each sentence names the step, every cell it
// places in or strikes from, and, but for a summarised chain, every cell of
// its pattern; the compact fields read back as the step's candidates; and
// each text is exactly the one pinned in tests/data/ui/step_texts.txt.
#include "ui/step_texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "logic/rating.h"
#include "logic/techniques.h"
#include "support/text_cases.h"

namespace quorlen {
namespace {

using logic::Candidate;
using logic::Grid;
using logic::Step;

struct Found {
  Grid grid;
  Step step;
};

Grid grid_with(const std::string& digits, const std::vector<std::string>& struck) {
  Grid grid = *Grid::from_string(digits);
  for (const std::string& word : struck) {  // r4c1:37 or r4c1.3
    for (std::size_t i = 5; i < word.size(); ++i)
      grid.eliminate((word[1] - '1') * 9 + word[3] - '1', word[i] - '0');
  }
  return grid;
}

// Every step of both tables, found again on its grid.
std::vector<Found> table_steps() {
  std::vector<Found> found;
  logic::Workspace work;
  for (const auto& c : testing::load_text_cases(QUORLEN_TEST_DATA_DIR "/logic")) {
    std::string digits;
    std::vector<std::string> struck;
    int links = 0, wing = 0;
    for (const auto& [number, line] : c.lines) {
      const std::vector<std::string> words = testing::words_of(line);
      if (words[0] == "grid") digits = words.at(1);
      if (words[0] == "struck") struck.assign(words.begin() + 1, words.end());
      if (words[0] == "links") links = std::stoi(words.at(1));
      if (words[0] == "wing") wing = std::stoi(words.at(1));
    }
    if (!struck.empty() && struck[0] == "-") struck.clear();
    Found f{grid_with(digits, struck), {}};
    const bool ok = links > 0  ? logic::find_strong_links(f.grid, f.step, work, links)
                    : wing > 0 ? logic::find_set_wing(f.grid, f.step, work, wing)
                               : (f.step = logic::next_step(f.grid, work).value_or(Step{})).rating > 0;
    EXPECT_TRUE(ok) << c.name;
    found.push_back(std::move(f));
  }
  std::ifstream rows(QUORLEN_TEST_DATA_DIR "/logic/chains.txt");
  for (std::string line; std::getline(rows, line);) {
    std::vector<std::string> field;
    std::istringstream fields(line);
    for (std::string f; std::getline(fields, f, '\t');) field.push_back(f);
    if (line.empty() || line[0] == '#' || field.at(3) == "none") continue;
    std::istringstream words(field[2]);
    std::vector<std::string> struck;
    for (std::string w; words >> w;) struck.push_back(w);
    Found f{grid_with(field[1], struck), {}};
    const std::string& search = field[0];
    if (search == "forcing_chains") logic::find_forcing_chains(f.grid, f.step, work);
    if (search == "nishio") logic::find_nishio(f.grid, f.step, work);
    if (search == "multiple") logic::find_multiple_chains(f.grid, f.step, work);
    if (search.starts_with("dynamic"))
      logic::find_dynamic_chains(f.grid, f.step, work, search[8] - '0',
                                 search.size() > 10 ? search[10] - '0' : 0);
    found.push_back(std::move(f));
  }
  return found;
}

// The candidates of a compact field: "r1c4<>5 r2c6<>57" or "r5c3=4".
std::vector<Candidate> read_back(const std::string& text, const std::string& sign) {
  std::vector<Candidate> out;
  std::istringstream words(text);
  for (std::string w; words >> w;) {
    EXPECT_EQ(w.substr(4, sign.size()), sign) << w;
    for (std::size_t i = 4 + sign.size(); i < w.size(); ++i)
      out.push_back(
          {static_cast<std::uint8_t>((w[1] - '1') * 9 + w[3] - '1'), static_cast<std::uint8_t>(w[i] - '0')});
  }
  return out;
}

TEST(StepTexts, EveryTableStepIsToldAsPinned) {
  std::map<std::string, std::map<std::string, std::string>> pinned;  // key -> kind of text -> text
  for (const auto& c : testing::load_text_cases(QUORLEN_TEST_DATA_DIR "/ui")) {
    for (const auto& [number, line] : c.lines) {
      const std::vector<std::string> words = testing::words_of(line);
      pinned[c.name][words.at(0)] = words.at(1);
    }
  }
  std::set<std::string> told;
  for (const Found& f : table_steps()) {
    const Step& step = f.step;
    const std::string key = logic::step_name(step) + " " + logic::rating_text(step.rating) + " " +
                            placements_text(step) + eliminations_text(step);
    SCOPED_TRACE(key);
    EXPECT_EQ(read_back(placements_text(step), "="), step.placements);
    EXPECT_EQ(read_back(eliminations_text(step), "<>"), step.eliminations);
    const std::string sentence = technique_sentence(step, f.grid);
    EXPECT_TRUE(sentence.starts_with(logic::step_name(step)) && sentence.ends_with(".")) << sentence;
    // Every cell it places in or strikes from; every cell of its pattern
    // too, but for chains, which may be summarised: their starts then.
    logic::CellSet named;
    for (const Candidate c : step.placements) named.add(c.cell);
    for (const Candidate c : step.eliminations) named.add(c.cell);
    for (const logic::Chain& chain : step.chains) {
      if (step.level < 2) named.add(chain.front().candidate.cell);  // deeper, chains may start inside
    }
    if (step.chains.empty() || step.technique < logic::Technique::x_cycle) named |= step.cells;
    for (const int cell : named) EXPECT_NE(sentence.find(rc_name(cell)), std::string::npos) << rc_name(cell);
    const auto pin = pinned.find(key);
    if (pin == pinned.end()) {
      ADD_FAILURE() << "not pinned:\n== " << key << "\nsentence \"" << sentence << "\"\nhint \""
                    << technique_hint(step) << "\"\nfocus \"" << focus_hint(step) << "\"";
      continue;
    }
    told.insert(key);
    for (const auto& [kind, text] : pin->second) {
      const std::string actual = kind == "sentence" ? sentence
                                 : kind == "hint"   ? technique_hint(step)
                                 : kind == "focus"  ? focus_hint(step)
                                                    : chains_text(step);
      EXPECT_EQ(actual, text) << kind;
    }
  }
  EXPECT_EQ(told.size(), pinned.size());
}

// Along the whole path of every third rated puzzle (every 30th without
// optimisation: the paths of hard puzzles take their time), each step's sentence names the step and every
// cell it places in or strikes from, and every step has a focus hint.
TEST(StepTexts, EveryStepOfTheRatedPathsIsTold) {
#ifdef __OPTIMIZE__
  constexpr int kStride = 3;
#else
  constexpr int kStride = 30;
#endif
  std::ifstream in(QUORLEN_TEST_DATA_DIR "/rated.txt");
  logic::Workspace work;
  int line_number = 0, steps = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 81 || ++line_number % kStride != 0) continue;
    SCOPED_TRACE(line);
    Grid grid = *Grid::from_string(line.substr(0, 81));
    while (const auto step = logic::next_step(grid, work)) {
      const std::string sentence = technique_sentence(*step, grid);
      ASSERT_TRUE(sentence.starts_with(logic::step_name(*step))) << sentence;
      for (const auto* list : {&step->placements, &step->eliminations}) {
        for (const Candidate c : *list)
          ASSERT_NE(sentence.find(rc_name(c.cell)), std::string::npos) << sentence;
      }
      ASSERT_FALSE(focus_hint(*step).empty());
      logic::apply(grid, *step);
      ++steps;
    }
    ASSERT_TRUE(grid.solved());
  }
  EXPECT_GT(steps, 500);
}

}  // namespace
}  // namespace quorlen
