// Makes the practice bank (data/practice.txt, see data/README.md) from
// rated puzzles: each puzzle with the rating and hardest technique the
// person's solver gives it, in the order read; puzzles it cannot solve are
// left out.
//
//   quorlen_make_practice_bank < rated.txt > data/practice.txt
//
// Input lines are 81 cells row by row, then anything (rated.txt's tab and
// rating) that is not read.
#include <iostream>
#include <string>

#include "ui/practice.h"

int main() {
  quorlen::logic::Workspace work;
  int skipped = 0;
  for (std::string line; std::getline(std::cin, line);) {
    const std::optional<quorlen::DigitGrid> givens = quorlen::parse_puzzle(line.substr(0, 81));
    if (!givens) continue;
    if (const auto entry = quorlen::rate_for_practice(*givens, work)) {
      std::cout << quorlen::practice_line(*entry) << '\n';
    } else {
      ++skipped;
    }
  }
  if (skipped > 0) std::cerr << skipped << " puzzles left out: the person's solver does not solve them\n";
  return std::cout ? 0 : 1;
}
