// What the searches keep between calls: buffers sized once, so that a
// search allocates nothing, and results a later call on the same grid can
// reuse. One per thread; the person's solver has no state of its own
// beyond it.
#pragma once

#include <memory>

namespace quorlen::logic {

struct ChainWork;  // chain_work.h
struct LinkWork;   // link_work.h

class Workspace {
 public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  ChainWork& chains() { return *chains_; }
  LinkWork& links() { return *links_; }

 private:
  std::unique_ptr<ChainWork> chains_;
  std::unique_ptr<LinkWork> links_;
};

}  // namespace quorlen::logic
