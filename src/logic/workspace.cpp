#include "logic/workspace.h"

#include "logic/chain_work.h"
#include "logic/link_work.h"

namespace quorlen::logic {

Workspace::Workspace() : chains_(std::make_unique<ChainWork>()), links_(std::make_unique<LinkWork>()) {}
Workspace::~Workspace() = default;

}  // namespace quorlen::logic
