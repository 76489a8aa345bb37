// How closely the person's solver's rating (ER) agrees with a list of
// rated puzzles, and how long it takes per puzzle.
//
//   quorlen_rating_agreement [--mismatches] [--below ER] [--rounds N] [FILE...]
//
// Reads lines of an 81-character puzzle, a tab and its ER (as
// tests/data/rated.txt has them) from the FILEs, or from standard input
// without any; other lines are skipped. Rates each puzzle and prints, per
// band of the expected ER (below 4.0, 4.0-6.1, 6.2 and up, then each whole
// number), the puzzles, the share rated exactly and within 0.3, how many
// were not rated 20.0 (no technique applied at some step), and the median
// and largest processor time per puzzle (the least of --rounds ratings,
// default 1). --below leaves out puzzles rated ER or more; --mismatches
// then lists each puzzle rated differently: the puzzle, the ER expected,
// the ER given and the hardest step's name.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "logic/rating.h"
#include "tool_options.h"

namespace quorlen {
namespace {

constexpr const char* kUsage =
    "usage: quorlen_rating_agreement [--mismatches] [--below ER] [--rounds N] [FILE...]\n";

struct Rated {
  std::string puzzle;
  int expected = 0;  // tenths
  int got = 0;
  std::string hardest;
  double seconds = 0;
};

double thread_seconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// "6.2" -> 62; -1 when the text is no rating.
int tenths(const std::string& text) {
  int whole = 0, tenth = 0;
  char dot = 0;
  if (std::sscanf(text.c_str(), "%d%c%d", &whole, &dot, &tenth) != 3 || dot != '.' || tenth < 0 ||
      tenth > 9) {
    return -1;
  }
  return whole * 10 + tenth;
}

void read_lines(std::istream& in, int below, std::vector<Rated>& out) {
  for (std::string line; std::getline(in, line);) {
    const auto tab = line.find('\t');
    if (tab != 81) continue;
    const int expected = tenths(line.substr(tab + 1));
    if (expected < 0 || expected >= below) continue;
    out.push_back({line.substr(0, 81), expected, 0, {}, 0});
  }
}

struct Band {
  const char* name;
  int low;   // tenths, inclusive
  int high;  // exclusive
};

void print_band(const Band& band, const std::vector<Rated>& rated) {
  std::vector<double> times;
  int exact = 0, close = 0, rated_fully = 0;
  for (const Rated& r : rated) {
    if (r.expected < band.low || r.expected >= band.high) continue;
    times.push_back(r.seconds);
    exact += r.got == r.expected;
    close += std::abs(r.got - r.expected) <= 3;
    rated_fully += r.got != logic::kBeyondRating;
  }
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  const double n = static_cast<double>(times.size());
  std::printf("%-12s %7zu %7.1f %% %9.1f %% %10d %11.3f %9.3f\n", band.name, times.size(), 100.0 * exact / n,
              100.0 * close / n, rated_fully, 1e3 * times[times.size() / 2], 1e3 * times.back());
}

int run(int argc, char** argv) {
  bool mismatches = false;
  int below = 1000;
  long rounds = 1;
  std::vector<std::string> files;
  const bool ok = tools::read_tool_options(
      argc, argv, kUsage,
      {{"--mismatches", false, [&](const char*) { mismatches = true; }},
       {"--below", true, [&](const char* v) { below = tenths(v); }},
       {"--rounds", true, [&](const char* v) { rounds = std::strtol(v, nullptr, 10); }}},
      [&](const char* file) { files.emplace_back(file); });
  if (!ok || below < 0 || rounds < 1) {
    if (ok) std::fputs(kUsage, stderr);
    return 2;
  }

  std::vector<Rated> rated;
  if (files.empty()) read_lines(std::cin, below, rated);
  for (const std::string& file : files) {
    std::ifstream in(file);
    if (!in) {
      std::fprintf(stderr, "quorlen_rating_agreement: cannot read '%s'\n", file.c_str());
      return 1;
    }
    read_lines(in, below, rated);
  }

  logic::Workspace work;
  for (Rated& r : rated) {
    const auto grid = logic::Grid::from_string(r.puzzle);
    if (!grid) continue;
    r.seconds = 1e9;
    for (long round = 0; round < rounds; ++round) {
      const double start = thread_seconds();
      const logic::Rating rating = logic::rate(*grid, work);
      r.seconds = std::min(r.seconds, thread_seconds() - start);
      r.got = rating.er;
      r.hardest = rating.hardest;
    }
  }

  std::printf("%-12s %7s %9s %11s %10s %11s %9s\n", "ER band", "puzzles", "exact", "within 0.3", "not 20.0",
              "median ms", "max ms");
  const Band bands[] = {{"all", 0, 1000},         {"below 4.0", 0, 40}, {"4.0-6.1", 40, 62},
                        {"6.2 and up", 62, 1000}, {"1.0-1.9", 10, 20},  {"2.0-2.9", 20, 30},
                        {"3.0-3.9", 30, 40},      {"4.0-4.9", 40, 50},  {"5.0-5.9", 50, 60},
                        {"6.0-6.9", 60, 70},      {"7.0-7.9", 70, 80},  {"8.0-8.9", 80, 90},
                        {"9.0 and up", 90, 1000}};
  for (const Band& band : bands) print_band(band, rated);

  if (mismatches) {
    std::printf("\npuzzle\texpected\tgot\thardest\n");
    for (const Rated& r : rated) {
      if (r.got == r.expected) continue;
      std::printf("%s\t%s\t%s\t%s\n", r.puzzle.c_str(), logic::rating_text(r.expected).c_str(),
                  logic::rating_text(r.got).c_str(), r.hardest.c_str());
    }
  }
  return 0;
}

}  // namespace
}  // namespace quorlen

int main(int argc, char** argv) { return quorlen::run(argc, argv); }
