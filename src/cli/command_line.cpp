#include "cli/command_line.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <thread>

#include "cli/output_file.h"

namespace quorlen {

void tell(int fd, std::string_view program, const std::string& message) {
  OutputFile file(fd, "standard error");
  file.write(escape_control(std::string(program) + ": " + message) + "\n");
  file.flush();
}

int Program::complain(const std::string& message, int status) const {
  tell(STDERR_FILENO, name, message);
  if (status == kInputRefused) {
    OutputFile err(STDERR_FILENO, "standard error");
    err.write(usage_line);
    err.flush();
  }
  return status;
}

int Program::print(std::string_view text) const {
  OutputFile out(STDOUT_FILENO, "standard output");
  if (out.write(text) && out.flush()) return kAllWentThrough;
  return complain(out.error(), kOutputFailed);
}

std::optional<Argument> Arguments::next() {
  if (at_ >= argc_) return std::nullopt;
  const std::string_view arg = argv_[at_++];
  Argument option;
  option.name = arg;
  if (operands_only_ || arg == "-" || !arg.starts_with('-')) {
    option.operand = true;
    return option;
  }
  std::optional<std::string_view> value;
  if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
    option.name = arg.substr(0, equals);
    value = arg.substr(equals + 1);
  } else if (arg.starts_with("-j") && arg.size() > 2) {
    option.name = "-j";
    value = arg.substr(2);
  }
  const bool takes_value = std::ranges::find(taking_value_, option.name) != taking_value_.end();
  if (value && !takes_value) {
    option.error = "option " + std::string(option.name) + " takes no value";
  } else if (takes_value && !value && at_ >= argc_) {
    option.error = std::string(option.name) + " needs a value";
  } else if (takes_value) {
    option.value = value ? *value : argv_[at_++];
  } else if (option.name == "--") {
    operands_only_ = true;
    return next();
  } else if (std::ranges::find(flags_, option.name) == flags_.end()) {
    option.error = "unknown option " + std::string(option.name);
  }
  return option;
}

std::optional<std::uint64_t> bounded_number(std::string_view text, std::uint64_t max) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<unsigned>(c - '0');
    if (digit > 9 || value > (max - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

int job_count(std::string_view text) { return static_cast<int>(bounded_number(text, 256).value_or(0)); }

int usable_processors() {
  cpu_set_t set;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void prepare_standard_descriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
      ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace quorlen
