#include "files/file_result.h"

#include <cerrno>
#include <system_error>

namespace quorlen {

std::string system_reason(int code) { return std::generic_category().message(code != 0 ? code : EIO); }

FileError os_error(const std::filesystem::path& path, int code) {
  return {
      .path = path, .code = code != 0 ? code : EIO, .message = path.string() + ": " + system_reason(code)};
}

std::string in_quotes(std::string_view text) { return '"' + std::string(text) + '"'; }

FileError action_error(std::string_view action, const std::filesystem::path& path, int code,
                       std::string_view reason) {
  return {.path = path,
          .code = code,
          .message = std::string(action) + " " + in_quotes(path.string()) + ": " + std::string(reason) + "."};
}

}  // namespace quorlen
