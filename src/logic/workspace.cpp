#include "logic/workspace.h"

#include "logic/chain_work.h"

namespace quorlen::logic {

Workspace::Workspace() : chains_(std::make_unique<ChainWork>()) {}
Workspace::~Workspace() = default;

}  // namespace quorlen::logic
