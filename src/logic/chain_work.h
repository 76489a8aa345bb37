// The chain searches' buffers (see workspace.h).
#pragma once

namespace quorlen::logic {

struct ChainWork {};

}  // namespace quorlen::logic
