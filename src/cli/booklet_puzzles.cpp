#include "cli/booklet_puzzles.h"

#include <unistd.h>

#include "cli/command_line.h"
#include "cli/puzzle_inputs.h"
#include "generator/rating.h"
#include "logic/rating.h"
#include "solver/complete_search.h"

namespace quorlen {
namespace {

class BookletReader : public PuzzleInputs::Sink {
 public:
  BookletReader(std::string_view program, BookletPuzzles& read, bool person_rating)
      : program_(program), read_(read), person_rating_(person_rating) {}

  bool puzzle(const DigitGrid& givens, const std::string& name, std::uint64_t line) override {
    BookletPuzzle entry{.givens = givens, .solution = {}, .level = Level::easy};
    const int solutions = count_solutions(givens, &entry.solution);
    if (solutions != 1) {
      const std::string where = line == 0 ? name : name + ":" + std::to_string(line);
      return refused(
          where +
          (solutions == 0 ? ": the puzzle has no solution" : ": the puzzle has more than one solution") +
          ", not printed");
    }
    entry.level = rate_puzzle(givens).level;
    if (person_rating_) entry.er = logic::rate(logic::Grid::from_digits(givens), work_).er;
    read_.puzzles.push_back(entry);
    return true;
  }

  bool refused(const std::string& message) override {
    tell(STDERR_FILENO, program_, message);
    read_.refused = true;
    return true;
  }

 private:
  std::string_view program_;
  BookletPuzzles& read_;
  bool person_rating_;
  logic::Workspace work_;
};

}  // namespace

BookletPuzzles read_booklet_puzzles(const std::vector<std::string>& inputs, int in, std::string_view program,
                                    bool person_rating) {
  BookletPuzzles read;
  BookletReader reader(program, read, person_rating);
  PuzzleInputs(reader, in).read(inputs.empty() ? std::vector<std::string>{"-"} : inputs);
  return read;
}

}  // namespace quorlen
