#include "ui/history.h"

#include <algorithm>
#include <iterator>
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

void History::replace(std::vector<Snapshot> earlier, std::vector<Snapshot> later) {
  undo_.clear();
  redo_.clear();
  if (limit_ == 0) return;
  const std::size_t past = earlier.size() > limit_ ? earlier.size() - limit_ : 0;
  undo_.assign(std::make_move_iterator(earlier.begin() + static_cast<std::ptrdiff_t>(past)),
               std::make_move_iterator(earlier.end()));
  later.resize(std::min(later.size(), limit_ - undo_.size()));
  redo_.assign(std::make_move_iterator(later.rbegin()), std::make_move_iterator(later.rend()));
}

}  // namespace quorlen
