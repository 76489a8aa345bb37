#include "ui/platform.h"

#include "ui/folders.h"

namespace quorlen {

std::filesystem::path Platform::step_log_directory() const { return step_log_folder(program_directory()); }

}  // namespace quorlen
