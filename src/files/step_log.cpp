#include "files/step_log.h"

#include <cerrno>
#include <cstring>

namespace quorlen {

void append_step_record(std::string& out, int index, int digit) {
  char record[] = "\" Column 0 row 0  :Value0\"\r\n";
  record[9] = static_cast<char>('1' + index / 9);
  record[15] = static_cast<char>('1' + index % 9);
  record[24] = static_cast<char>('0' + digit);
  out.append(record, sizeof record - 1);
}

bool StepLogFile::open(const std::filesystem::path& dir) {
  close();
  path_ = dir / "steps.txt";
  file_ = std::fopen(path_.c_str(), "wb");
  return file_ != nullptr || fail(errno);
}

bool StepLogFile::commit(std::string_view records) {
  if (file_ == nullptr) return fail(EBADF);
  errno = 0;
  const bool written = std::fwrite(records.data(), 1, records.size(), file_) == records.size();
  const int write_error = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return (written && closed) || fail(write_error != 0 ? write_error : errno);
}

bool StepLogFile::fail(int error) {
  error_ = path_.string() + ": " + std::strerror(error != 0 ? error : EIO);
  return false;
}

void StepLogFile::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace quorlen
