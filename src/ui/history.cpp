#include "ui/history.h"

#include <utility>

namespace quorlen {

void History::record(Snapshot before) {
  if (limit_ == 0) return;
  redo_.clear();
  if (undo_.size() == limit_) undo_.pop_front();
  undo_.push_back(std::move(before));
}

bool History::undo(Snapshot& state) {
  if (undo_.empty()) return false;
  redo_.push_back(std::exchange(state, std::move(undo_.back())));
  undo_.pop_back();
  return true;
}

bool History::redo(Snapshot& state) {
  if (redo_.empty()) return false;
  undo_.push_back(std::exchange(state, std::move(redo_.back())));
  redo_.pop_back();
  return true;
}

}  // namespace quorlen
