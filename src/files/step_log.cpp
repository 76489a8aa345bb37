#include "files/step_log.h"

#include <sys/stat.h>

#include <cerrno>

namespace quorlen {

void append_step_record(std::string& out, int index, int digit) {
  char record[] = "\" Column 0 row 0  :Value0\"\r\n";
  record[9] = static_cast<char>('1' + index / 9);
  record[15] = static_cast<char>('1' + index % 9);
  record[24] = static_cast<char>('0' + digit);
  out.append(record, sizeof record - 1);
}

FileResult<> StepLogFile::open(const std::filesystem::path& dir) {
  const std::filesystem::path path = dir / "steps.txt";
  struct stat existing {};
  if (::lstat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) return os_error(path, EISDIR);
  // Ordinary permissions, whatever the earlier log or a file planted in its
  // place had.
  return file_.create(path, 0666);
}

FileResult<> StepLogFile::commit(std::string_view records) {
  // Not flushed to disk: every Solve rewrites the log, and a flush would
  // cost many times the Solve. The rename alone keeps it whole when the
  // program is killed.
  FileResult<> result = file_.write(records);
  if (result) result = file_.put_in_place(false);
  file_.discard();
  return result;
}

}  // namespace quorlen
