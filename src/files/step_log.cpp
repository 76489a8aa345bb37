#include "files/step_log.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace quorlen {

void append_step_record(std::string& out, int index, int digit) {
  char record[] = "\" Column 0 row 0  :Value0\"\r\n";
  record[9] = static_cast<char>('1' + index / 9);
  record[15] = static_cast<char>('1' + index % 9);
  record[24] = static_cast<char>('0' + digit);
  out.append(record, sizeof record - 1);
}

bool StepLogFile::open(const std::filesystem::path& dir) {
  path_ = dir / "steps.txt";
  struct stat existing {};
  if (::lstat(path_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) return fail(EISDIR);
  // Ordinary permissions, whatever the earlier log or a file planted in its
  // place had.
  const int error = file_.create(dir, 0666);
  return error == 0 || fail(error);
}

bool StepLogFile::commit(std::string_view records) {
  int error = file_.is_open() ? file_.write(records) : EBADF;
  // Not flushed to disk: every Solve rewrites the log, and a flush would
  // cost many times the Solve. The rename alone keeps it whole when the
  // program is killed.
  if (error == 0) error = file_.put_in_place(path_, false);
  file_.discard();
  return error == 0 || fail(error);
}

bool StepLogFile::fail(int error) {
  file_.discard();
  error_ = path_.string() + ": " + std::generic_category().message(error != 0 ? error : EIO);
  return false;
}

}  // namespace quorlen
