// Overwriting a file itself, for when a new file put in its place would not
// be the same file to its users.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string_view>

#include "files/file_result.h"

namespace quorlen {

// Overwrites the regular file at `path`, which `expected` describes (as stat
// gave it), with `bytes`, keeping the file itself: its other links, owner,
// permissions and extended attributes. A failed write puts back what was
// there; a kill halfway can leave a mix. Files of the kernel's own file
// systems (/proc, /sys and the like) are refused. Errors name `path`.
FileResult<> write_in_place(const std::filesystem::path& path, const struct stat& expected,
                            std::string_view bytes);

}  // namespace quorlen
