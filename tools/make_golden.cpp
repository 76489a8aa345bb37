// Writes the golden Solve outcomes that tests/solver/golden_test.cpp checks.
// Built by every build, at the top of the build folder:
//
//   build/quorlen_make_golden DATA_DIR OUT.tsv        the committed selection
//   build/quorlen_make_golden --all DATA_DIR OUT.tsv  every puzzle of top95,
//                                                     top1465, clues25, clues30
//                                                     and easy50, and a broken
//                                                     variant of each top1465 one
//
// The selection: every puzzle of top95, every 10th of top1465, every 4th of
// clues25 and clues30, every 2nd of easy50; then puzzles the Solve command
// must fail on: every 50th top1465 puzzle from line 5 on with one wrong
// given that repeats no digit (so only the whole run of attempts and the
// complete search can tell), and easy50 puzzles 2, 4 and 6 each with a
// given that repeats a digit in a column, in a row and in a box. clues17
// serves the solution count only and is left out.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "golden.h"
#include "variants.h"

namespace quorlen::golden {
namespace {

struct Case {
  std::string source;
  long line;
  std::string puzzle;
  quorlen::DigitGrid givens;
};

// Every line of a collection must start with a puzzle.
std::vector<std::string> read_puzzles(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<std::string> puzzles;
  for (std::string line; std::getline(in, line);) {
    puzzles.push_back(line.substr(0, 81));
    if (!quorlen::parse_puzzle(puzzles.back())) {
      throw std::runtime_error(file.string() + ":" + std::to_string(puzzles.size()) + ": not a puzzle");
    }
  }
  return puzzles;
}

std::vector<Case> select_cases(const std::filesystem::path& dir, bool all) {
  std::vector<Case> cases;
  const auto take = [&](const char* name, long stride) {
    const auto puzzles = read_puzzles(dir / name);
    for (std::size_t i = 0; i < puzzles.size(); i += static_cast<std::size_t>(all ? 1 : stride)) {
      cases.push_back({name, static_cast<long>(i + 1), puzzles[i], *quorlen::parse_puzzle(puzzles[i])});
    }
  };
  take("top95.txt", 1);
  take("top1465.txt", 10);
  take("clues25.txt", 4);
  take("clues30.txt", 4);
  take("easy50.txt", 2);

  const auto top = read_puzzles(dir / "top1465.txt");
  for (std::size_t i = all ? 0 : 4; i < top.size(); i += all ? 1 : 50) {
    if (auto broken = variants::with_wrong_given(top[i]))
      cases.push_back(
          {"top1465.txt+wrong", static_cast<long>(i + 1), *broken, *quorlen::parse_puzzle(*broken)});
  }
  const auto easy = read_puzzles(dir / "easy50.txt");
  const char* kinds[] = {"easy50.txt+repeat-column", "easy50.txt+repeat-row", "easy50.txt+repeat-box"};
  for (std::size_t i : {1u, 3u, 5u}) {
    for (int kind = 0; kind < 3; ++kind) {
      if (auto broken = variants::with_repeat(easy.at(i), kind))
        cases.push_back({kinds[kind], static_cast<long>(i + 1), *broken, *quorlen::parse_puzzle(*broken)});
    }
  }
  return cases;
}

}  // namespace
}  // namespace quorlen::golden

int main(int argc, char** argv) {
  using namespace quorlen::golden;
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool all = !args.empty() && args.front() == "--all";
  if (all) args.erase(args.begin());
  if (args.size() != 2) {
    std::cerr << "usage: quorlen_make_golden [--all] DATA_DIR OUT.tsv\n";
    return 2;
  }
  // Every case is read and checked before OUT.tsv is opened: a wrong
  // DATA_DIR or a bad line leaves an earlier file as it was.
  std::vector<Case> cases;
  try {
    cases = select_cases(args[0], all);
  } catch (const std::exception& e) {
    std::cerr << "quorlen_make_golden: " << e.what() << "\n";
    return 1;
  }
  const auto work = std::filesystem::temp_directory_path() / ("quorlen_golden_" + std::to_string(::getpid()));
  std::filesystem::create_directories(work);
  quorlen::HeadlessPlatform platform(work);
  quorlen::Sudoku window(platform, 0);  // nothing to undo

  std::ofstream out(args[1], std::ios::binary);
  out << "# Golden Solve outcomes; see tests/data/README.md for the format.\n"
         "# "
         "source\tline\tpuzzle\tmessage\tgrid\tLabel1\tLabel4\tpass_count\tguess_count\tlog_bytes\tlog_"
         "fnv1a64"
         "\tview_fnv1a64\n";
  long count = 0;
  for (const Case& c : cases) {
    out << c.source << '\t' << c.line << '\t' << c.puzzle << '\t' << record_solve(window, platform, c.givens)
        << '\n';
    ++count;
  }
  std::filesystem::remove_all(work);
  out.close();
  if (!out) {
    std::cerr << "quorlen_make_golden: cannot write " << args[1] << "\n";
    return 1;
  }
  std::cerr << count << " outcomes written to " << args[1] << "\n";
  return 0;
}
