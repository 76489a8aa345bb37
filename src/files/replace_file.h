// Save's way of writing a file: whole or not at all, and never through a
// link that someone else planted.
#pragma once

#include <filesystem>
#include <string_view>

#include "files/file_result.h"

namespace quorlen {

// Replaces the file at `path` with `bytes`, or leaves it as it was: the bytes
// go to a new file in the same folder, which is flushed to disk and then
// renamed over the file. A file that the rename would change for its users
// (another link to it, another owner, ACLs or other extended attributes),
// or that sits in a folder taking no new file, is written in place instead.
//
// A symbolic link is followed, and kept, even to a file that does not exist
// yet; but, as the kernel's fs.protected_symlinks rule has it, not a link in
// a sticky folder that everyone may write (such as /tmp) that belongs
// neither to this user nor to the folder's owner: another user may have put
// it there to make this user write over a file of their own.
//
// On failure no new file remains, and the message reads
// `Cannot save "PATH": reason.`
FileResult<> replace_file(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quorlen
