// The inputs of quorlen-solve and of the programs that read puzzles as it
// does: files of puzzle lines (see puzzle_scanner.h), standard input for
// "-", and ".sud" puzzle files, each read in turn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/puzzle.h"
#include "cli/puzzle_scanner.h"

namespace quorlen {

class PuzzleInputs : private PuzzleScanner::Sink {
 public:
  // Where the puzzles and refusals go, in input order. Each call returns
  // false to stop the reading.
  class Sink {
   public:
    virtual ~Sink() = default;
    // A puzzle on `line` (from 1) of the input `name`; a ".sud" file's has
    // line 0.
    virtual bool puzzle(const DigitGrid& givens, const std::string& name, std::uint64_t line) = 0;
    // A ".sud" file. By default it is read here (files/sud_file.h) and
    // handed on as a puzzle, or refused with the reader's message.
    virtual bool sud_file(const std::string& path);
    // What cannot be used, ready to be told after the program's name:
    // "NAME:LINE: why" for a line, "NAME: why" for a file.
    virtual bool refused(const std::string& message) = 0;
    // All that was read so far has been handed on, and the next read may
    // wait: the moment to pass on what was gathered.
    virtual bool read_waits() { return true; }
  };

  // `in` serves "-".
  PuzzleInputs(Sink& sink, int in) : sink_(sink), in_(in) {}

  // Reads every input in turn. Once `stop_fd` (if not -1) is readable, no
  // wait for input goes on: one that may never end (a terminal, a quiet
  // pipe, a FIFO no one opens) ends for good.
  void read(const std::vector<std::string>& inputs, int stop_fd = -1);

 private:
  void puzzle(const DigitGrid& givens) override;
  void refused(std::uint64_t line, const std::string& why) override;
  void read_file(const std::string& path);
  void read_lines(int fd, const std::string& name);

  Sink& sink_;
  int in_;
  int stop_fd_ = -1;
  const PuzzleScanner* scanner_ = nullptr;  // of the input being read
  std::string name_;                        // and its name
  bool stopped_ = false;
  std::vector<char> buffer_ = std::vector<char>(64 * 1024);
};

}  // namespace quorlen
