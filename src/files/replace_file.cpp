#include "files/replace_file.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "files/new_file.h"
#include "files/write_in_place.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

// The kernel's rule for links in sticky folders that everyone may write
// (fs.protected_symlinks): follow only a link of this user or of the
// folder's owner. `link` is what lstat gave for `at`.
bool may_follow(const fs::path& at, const struct stat& link) {
  struct stat folder {};
  const fs::path dir = at.has_parent_path() ? at.parent_path() : ".";
  const bool shared =
      ::stat(dir.c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == folder.st_uid || link.st_uid == ::geteuid();
}

// Any extended attribute (ACLs are some) but the SELinux label, which a new
// file in the same folder gets anyway.
bool has_extended_attributes(const fs::path& path) {
  const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
  if (size <= 0) return false;
  std::string names(static_cast<std::size_t>(size), '\0');
  const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
  if (got < 0) return true;  // they changed meanwhile
  for (std::size_t at = 0; at < static_cast<std::size_t>(got); at = names.find('\0', at) + 1) {
    if (std::string_view(names.c_str() + at) != "security.selinux") return true;
  }
  return false;
}

// Whether the new file `created`, renamed over `target`, would be the same
// file to everyone who uses it: the only name of the file it replaces, with
// the same owner and group (the group is set when it may be), and no
// extended attributes to lose.
bool rename_keeps_identity(const fs::path& target, const struct stat& existing, int created) {
  struct stat info {};
  if (existing.st_nlink != 1 || ::fstat(created, &info) != 0 || info.st_uid != existing.st_uid) return false;
  if (info.st_gid != existing.st_gid && ::fchown(created, static_cast<uid_t>(-1), existing.st_gid) != 0)
    return false;
  return !has_extended_attributes(target);
}

}  // namespace

FileResult<> replace_file(const fs::path& path, std::string_view bytes) {
  const auto failed = [&](int code, const std::string& reason) {
    return action_error("Cannot save", path, code, reason);
  };
  fs::path target = path;
  // A failure of the target is told by its reason alone; one of another
  // file (a temporary name) keeps its text, which names that file.
  const auto failed_on = [&](const FileError& error) {
    return failed(error.code, error.path == target ? system_reason(error.code) : error.message);
  };

  for (int hops = 0;; ++hops) {
    struct stat link {};
    if (::lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) break;
    if (hops == 40) return failed(ELOOP, system_reason(ELOOP));
    if (!may_follow(target, link)) {
      return failed(EACCES, (target == path ? std::string("it") : in_quotes(target.string())) +
                                " is another user's link in a folder that everyone may write, and is "
                                "not followed");
    }
    std::error_code ec;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return failed(ec.value(), system_reason(ec.value()));
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists) {
    // Only an ordinary file that may be written is replaced: a read-only
    // file stays as it is, and a device or pipe is never swapped for a file.
    if (S_ISDIR(existing.st_mode)) return failed(EISDIR, system_reason(EISDIR));
    if (!S_ISREG(existing.st_mode)) return failed(0, "not a regular file");
    if (::access(target.c_str(), W_OK) != 0) return failed(errno, system_reason(errno));
  }

  // The new file must sit in the same folder, so that the rename is atomic:
  // the chosen path then holds either the old file or the new one. Until it
  // is whole it is readable by its owner at most, so that no one else can
  // open it; a replaced file's permissions come last.
  NewFile temp;
  FileResult<> result = temp.create(target, exists ? existing.st_mode & 0600 : 0666);
  if (exists && (!result || !rename_keeps_identity(target, existing, temp.fd()))) {
    temp.discard();
    result = write_in_place(target, existing, bytes);
    return result ? result : failed_on(result.error());
  }
  if (result) result = temp.write(bytes);
  // Never setuid, setgid or sticky: those are for programs, not puzzles.
  if (result && exists && ::fchmod(temp.fd(), existing.st_mode & 0777) != 0) result = os_error(target, errno);
  if (result) result = temp.put_in_place(true);
  return result ? result : failed_on(result.error());
}

}  // namespace quorlen
