// Bytes from files and command lines, made safe to show.
#pragma once

#include <string>
#include <string_view>

namespace quorlen {

// `text` with every byte outside printable ASCII written as \xNN (a tab as
// \t): how a bad line of a puzzle file is shown, and how quorlen-solve shows
// any name or content on standard error, so that none can drive the
// terminal.
std::string escape_control(std::string_view text);

}  // namespace quorlen
