#include "files/step_log.h"

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
  file_ = std::fopen((dir / "steps.txt").c_str(), "wb");
  return file_ != nullptr;
}

bool StepLogFile::commit(std::string_view records) {
  if (file_ == nullptr) return false;
  const bool written = std::fwrite(records.data(), 1, records.size(), file_) == records.size();
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return written && closed;
}

void StepLogFile::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace quorlen
