#include "ui/folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>

namespace quorlen {
namespace {

// The installed samples, relative to the executable so that a copy
// installed under any prefix finds its own.
std::filesystem::path installed_samples(const std::filesystem::path& program_dir) {
  return (program_dir / ".." / "share" / "quorlen" / "examples").lexically_normal();
}

std::filesystem::path home_folder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home == '/') return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

bool is_folder(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_directory(dir, ec);
}

// Whether this process may create files in `dir`; the effective ids decide,
// as they do for the open that follows.
bool can_write_in(const std::filesystem::path& dir) {
  return is_folder(dir) && ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// A relative XDG_* folder is invalid and is to be ignored.
std::filesystem::path xdg_folder(const char* variable, const char* fallback) {
  const char* folder = std::getenv(variable);
  if (folder != nullptr && *folder == '/') return std::filesystem::path(folder) / "quorlen";
  return home_folder() / ".local" / fallback / "quorlen";
}

// Whether the program keeps its files beside itself, as a build or an
// unpacked copy does. An installed copy does not, even where its folder can
// be written (a prefix in the user's home, or root running it): its step log
// would litter bin/, and no samples sit beside it for the dialogs.
bool keeps_files_beside_itself(const std::filesystem::path& program_dir) {
  return can_write_in(program_dir) &&
         (is_folder(program_dir / "examples") || !is_folder(installed_samples(program_dir)));
}

}  // namespace

std::filesystem::path user_data_folder() { return xdg_folder("XDG_DATA_HOME", "share"); }

std::filesystem::path user_state_folder() { return xdg_folder("XDG_STATE_HOME", "state"); }

std::string create_private_folders(const std::filesystem::path& dir) {
  std::filesystem::path made;
  for (const auto& part : dir) {
    made /= part;
    if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST)
      return made.string() + ": " + std::generic_category().message(errno);
  }
  return {};
}

std::filesystem::path step_log_folder(const std::filesystem::path& program_dir, std::string* error) {
  if (keeps_files_beside_itself(program_dir)) return program_dir;
  std::filesystem::path data = user_data_folder();
  std::string failed = create_private_folders(data);
  if (error != nullptr) *error = std::move(failed);
  return data;
}

std::filesystem::path folder_of(const std::filesystem::path& file) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
  return (ec ? file : absolute).parent_path();
}

std::filesystem::path load_dialog_folder(const std::filesystem::path& program_dir) {
  if (keeps_files_beside_itself(program_dir)) return program_dir / "examples";
  for (const auto& samples : {installed_samples(program_dir), program_dir / "examples"}) {
    if (is_folder(samples)) return samples;
  }
  return program_dir;
}

std::filesystem::path save_dialog_folder(const std::filesystem::path& program_dir,
                                         const std::filesystem::path& last_folder,
                                         const std::filesystem::path& documents) {
  if (keeps_files_beside_itself(program_dir)) return program_dir / "examples";
  return !last_folder.empty() && can_write_in(last_folder) ? last_folder : documents;
}

}  // namespace quorlen
