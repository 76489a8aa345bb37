// What quorlen-solve and quorlen-generate share on their command lines: the
// exit statuses, messages after the program's name, options and their
// values, bounded numbers, --help and --version written with every write
// checked, and standard descriptors that the caller left closed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

// Exit statuses. When some output was lost and some input was refused too,
// the lost output is what the status says.
inline constexpr int kAllWentThrough = 0;
inline constexpr int kOutputFailed = 1;
inline constexpr int kInputRefused = 2;

// Writes "PROGRAM: MESSAGE" and a line end to `fd`, control bytes escaped.
// A failed write is lost: there is nowhere left to say so.
void tell(int fd, std::string_view program, const std::string& message);

// A program as its command line speaks: its name starts every message on
// standard error, and its usage line follows a wrong command line.
struct Program {
  std::string_view name;
  std::string_view usage_line;  // ends with a line end

  // tell()s the message on standard error, then the usage line when
  // `status` is kInputRefused. Returns `status`.
  int complain(const std::string& message, int status) const;
  int usage_error(const std::string& message) const { return complain(message, kInputRefused); }
  // Writes `text` (--help, --version) to standard output: kAllWentThrough,
  // or kOutputFailed once the failed write is told.
  int print(std::string_view text) const;
};

// One argument: an operand, an option with the value it takes, or what is
// wrong with it.
struct Argument {
  bool operand = false;
  std::string_view name;   // the option, without its value ("--dir"); or the operand
  std::string_view value;  // an option's value, for an option that takes one
  std::string error;       // a wrong command line when not empty
};

// Hands out the arguments one at a time, so that an option such as --help
// acts before a later mistake is seen. Operands are the arguments that do
// not start with '-', "-" itself, and all after "--". An option's value
// follows it, or is joined to it: --name=value, and -jN for -j. An option
// that is neither a flag nor one taking a value is an error.
class Arguments {
 public:
  Arguments(int argc, char** argv, std::initializer_list<std::string_view> flags,
            std::initializer_list<std::string_view> taking_value)
      : argc_(argc), argv_(argv), flags_(flags), taking_value_(taking_value) {}
  std::optional<Argument> next();

 private:
  int argc_;
  char** argv_;
  std::vector<std::string_view> flags_;
  std::vector<std::string_view> taking_value_;
  int at_ = 1;
  bool operands_only_ = false;
};

// A decimal number of at most `max`; nothing for any other text.
std::optional<std::uint64_t> bounded_number(std::string_view text, std::uint64_t max);
// The value of -j: a number of threads from 1 to 256; 0 for any other text.
int job_count(std::string_view text);

// The processors this process may run on.
int usable_processors();

// To run first in main. A standard descriptor that the caller closed is
// taken by /dev/null, open so that using it fails as using a closed one
// does (standard input for writing, the outputs for reading): otherwise the
// next file the program opens would get its number, and take the output, or
// be read as input. And a file size limit fails the write, which is then
// told, rather than ending the program with no word.
void prepare_standard_descriptors();

}  // namespace quorlen
