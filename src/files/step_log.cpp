#include "files/step_log.h"

#include <array>
#include <cstring>

namespace quorlen {

bool StepLog::open(const std::filesystem::path& path) {
  close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return false;
  // A logged solve can place thousands of digits; one write per record
  // would dominate its time.
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

void StepLog::write_record(std::string_view text) {
  if (file_ == nullptr) throw StepLogError("step log is not open");
  std::array<char, 128> line{};
  if (text.size() + 4 > line.size()) throw StepLogError("step record too long");
  std::size_t n = 0;
  line[n++] = '"';
  std::memcpy(line.data() + n, text.data(), text.size());
  n += text.size();
  line[n++] = '"';
  line[n++] = '\r';
  line[n++] = '\n';
  if (std::fwrite(line.data(), 1, n, file_) != n) throw StepLogError("step log write failed");
}

bool StepLog::flush() {
  if (file_ == nullptr) return true;
  return std::fflush(file_) == 0 && std::ferror(file_) == 0;
}

void StepLog::close() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
}

}  // namespace quorlen
