// Reading a whole small file that the user chose: never a device or a pipe
// that could hang the window, never more than the caller can use.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "files/file_result.h"

namespace quorlen {

// The bytes of the regular file at `path`. A file of more than `limit`
// bytes is refused with the code EFBIG, mostly without being read; so is
// anything but a regular file, with the code 0. Messages read
// `Cannot open "PATH": reason.` or `Cannot read "PATH": reason.`
FileResult<std::string> read_whole_file(const std::filesystem::path& path, std::size_t limit);

}  // namespace quorlen
