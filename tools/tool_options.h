// The command lines of the developer tools: flags, options that take the
// argument after them, and, for a tool that takes them, operands.
#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

namespace quorlen::tools {

struct ToolOption {
  std::string_view name;
  bool takes_value = false;
  std::function<void(const char* value)> take;  // a flag's value is nullptr
};

// Hands each argument to its option, with the value after it, and each
// other one that does not start with '-' to `operand`, if there is one.
// On anything else, or an option without its value, prints `usage` on
// standard error and returns false.
inline bool read_tool_options(int argc, char** argv, const char* usage,
                              const std::vector<ToolOption>& options,
                              const std::function<void(const char* operand)>& operand = {}) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto option =
        std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.name == arg; });
    if (option != options.end() && (!option->takes_value || i + 1 < argc)) {
      option->take(option->takes_value ? argv[++i] : nullptr);
    } else if (option == options.end() && operand && !arg.empty() && arg[0] != '-') {
      operand(argv[i]);
    } else {
      std::fputs(usage, stderr);
      return false;
    }
  }
  return true;
}

}  // namespace quorlen::tools
