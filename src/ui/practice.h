// New puzzles to practise: a rating band and/or a technique, met from the
// practice bank that ships with the program (puzzles rated beforehand, so
// common choices need no wait), or else by the generator.
//
// The bank is a text file, a puzzle a line:
//   PUZZLE <tab> ER <tab> TECHNIQUE
// the 81 cells row by row ('.' for an empty one), the person's solver's
// rating ("7.2") and the technique of its hardest step (technique_name).
#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "board/puzzle.h"
#include "generator/generator.h"
#include "logic/step.h"
#include "logic/workspace.h"

namespace quorlen {

// The bands the practice dialog offers, the last open-ended.
struct PracticeBand {
  const char* name;  // "Easy (1.0-2.4)"
  RatingBand band;
};
const std::vector<PracticeBand>& practice_bands();

struct PracticeChoice {
  std::optional<RatingBand> band;
  std::optional<logic::Technique> technique;
  friend bool operator==(const PracticeChoice&, const PracticeChoice&) = default;
};

// The generator's request for a choice.
PuzzleRequest practice_request(const PracticeChoice& choice);

struct PracticeEntry {
  DigitGrid givens{};
  int er = 0;  // in tenths
  logic::Technique technique = logic::Technique::full_house;
  friend bool operator==(const PracticeEntry&, const PracticeEntry&) = default;
};

bool matches(const PracticeEntry& entry, const PracticeChoice& choice);

// What the person's solver says of a puzzle: its rating and the technique
// of its first step so rated; nothing when it cannot solve it.
std::optional<PracticeEntry> rate_for_practice(const DigitGrid& givens, logic::Workspace& work);

// A bank line read, or nothing when it is not one.
std::optional<PracticeEntry> parse_practice_line(std::string_view line);
std::string practice_line(const PracticeEntry& entry);

// The status line's words for a practice puzzle: "Rating 7.2, X-Wing".
std::string practice_caption(int er, logic::Technique technique);

class PracticeBank {
 public:
  PracticeBank() = default;
  explicit PracticeBank(std::vector<PracticeEntry> entries) : entries_(std::move(entries)) {}

  // The bank in `file`; an empty bank, and the reason in `error`, when it
  // cannot be read or a line is not a bank line (a damaged install: the
  // generator still serves every choice).
  static PracticeBank read(const std::filesystem::path& file, std::string* error = nullptr);

  const std::vector<PracticeEntry>& entries() const { return entries_; }

  // One of the entries that match, at random, but none of the last few
  // handed out while another matches; nothing when none matches.
  std::optional<PracticeEntry> pick(const PracticeChoice& choice, std::mt19937_64& random);

 private:
  static constexpr std::size_t kRecent = 20;

  std::vector<PracticeEntry> entries_;
  std::deque<std::size_t> recent_;  // indexes of the last handed out, the latest last
};

// Where the bank is for a program in `program_dir`: installed beside its
// samples (PREFIX/share/quorlen), else next to it (a build).
std::filesystem::path practice_bank_file(const std::filesystem::path& program_dir);

}  // namespace quorlen
