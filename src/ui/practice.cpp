#include "ui/practice.h"

#include <algorithm>
#include <fstream>

#include "generator/random.h"
#include "logic/rating.h"

namespace quorlen {

const std::vector<PracticeBand>& practice_bands() {
  static const std::vector<PracticeBand> bands = {
      {"1.0-1.9", {10, 19}}, {"2.0-2.9", {20, 29}}, {"3.0-3.9", {30, 39}},
      {"4.0-4.9", {40, 49}}, {"5.0-5.9", {50, 59}}, {"6.0-6.9", {60, 69}},
      {"7.0-7.9", {70, 79}}, {"8.0-8.9", {80, 89}}, {"9.0 and up", {90, logic::kBeyondRating - 1}},
  };
  return bands;
}

PuzzleRequest practice_request(const PracticeChoice& choice) {
  PuzzleRequest request;
  request.rating = choice.band;
  request.technique = choice.technique;
  return request;
}

bool matches(const PracticeEntry& entry, const PracticeChoice& choice) {
  return (!choice.band || (entry.er >= choice.band->low && entry.er <= choice.band->high)) &&
         (!choice.technique || entry.technique == *choice.technique);
}

std::optional<PracticeEntry> rate_for_practice(const DigitGrid& givens, logic::Workspace& work) {
  const logic::Path path = logic::solve_path(logic::Grid::from_digits(givens), work);
  if (!path.rating.complete) return std::nullopt;
  PracticeEntry entry{givens, path.rating.er, logic::Technique::full_house};
  for (const logic::Step& step : path.steps) {
    if (step.rating != entry.er) continue;
    entry.technique = step.technique;
    break;
  }
  return entry;
}

std::optional<PracticeEntry> parse_practice_line(std::string_view line) {
  const std::size_t tab = line.find('\t');
  const std::size_t second = tab == std::string_view::npos ? tab : line.find('\t', tab + 1);
  if (tab != 81 || second == std::string_view::npos) return std::nullopt;
  PracticeEntry entry;
  const std::optional<DigitGrid> givens = parse_puzzle(line.substr(0, 81));
  // "7.2": a digit or two, a point, a digit.
  const std::string_view er = line.substr(tab + 1, second - tab - 1);
  if (!givens || er.size() < 3 || er.size() > 4 || er[er.size() - 2] != '.') return std::nullopt;
  for (std::size_t i = 0; i < er.size(); ++i) {
    if (i == er.size() - 2) continue;
    if (er[i] < '0' || er[i] > '9') return std::nullopt;
    entry.er = entry.er * 10 + (er[i] - '0');
  }
  if (!logic::technique_by_name(line.substr(second + 1), entry.technique) ||
      line.substr(second + 1) != logic::technique_name(entry.technique))
    return std::nullopt;
  entry.givens = *givens;
  return entry;
}

std::string practice_line(const PracticeEntry& entry) {
  return puzzle_string(entry.givens) + '\t' + logic::rating_text(entry.er) + '\t' +
         logic::technique_name(entry.technique);
}

std::string practice_caption(int er, logic::Technique technique) {
  return "Rating " + logic::rating_text(er) + ", " + logic::technique_name(technique);
}

PracticeBank PracticeBank::read(const std::filesystem::path& file, std::string* error) {
  std::ifstream in(file);
  const auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = file.string() + ": " + why;
    return PracticeBank();
  };
  if (!in) return fail("cannot be read");
  std::vector<PracticeEntry> entries;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::optional<PracticeEntry> entry = parse_practice_line(line);
    if (!entry) return fail("line " + std::to_string(number) + " is not a rated puzzle");
    entries.push_back(*entry);
  }
  if (in.bad()) return fail("cannot be read");
  return PracticeBank(std::move(entries));
}

std::optional<PracticeEntry> PracticeBank::pick(const PracticeChoice& choice, std::mt19937_64& random) {
  std::vector<std::size_t> fresh;
  std::vector<std::size_t> any;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!matches(entries_[i], choice)) continue;
    any.push_back(i);
    if (std::find(recent_.begin(), recent_.end(), i) == recent_.end()) fresh.push_back(i);
  }
  const std::vector<std::size_t>& from = fresh.empty() ? any : fresh;
  if (from.empty()) return std::nullopt;
  const std::size_t chosen = from[random_below(random, static_cast<unsigned>(from.size()))];
  recent_.push_back(chosen);
  if (recent_.size() > kRecent) recent_.pop_front();
  return entries_[chosen];
}

std::filesystem::path practice_bank_file(const std::filesystem::path& program_dir) {
  const std::filesystem::path installed =
      (program_dir / ".." / "share" / "quorlen" / "practice.txt").lexically_normal();
  std::error_code ec;
  return std::filesystem::is_regular_file(installed, ec) ? installed : program_dir / "practice.txt";
}

}  // namespace quorlen
