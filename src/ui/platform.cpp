#include "ui/platform.h"

#include "ui/folders.h"

namespace quorlen {

std::filesystem::path Platform::step_log_directory() const { return step_log_folder(program_directory()); }

std::chrono::steady_clock::time_point Platform::now() const { return std::chrono::steady_clock::now(); }

}  // namespace quorlen
