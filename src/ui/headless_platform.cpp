#include "ui/headless_platform.h"

namespace quorlen {

FileDialogResult HeadlessPlatform::file_dialog(const FileDialogRequest& request) {
  requests.push_back(request);
  if (answers.empty()) return {false, {}, kDialogCancelled};
  FileDialogResult answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace quorlen
