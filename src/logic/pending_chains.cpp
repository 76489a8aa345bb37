// Searches not written yet: each finds nothing.
#include "logic/techniques.h"

namespace quorlen::logic {

bool find_forcing_chains(const Grid&, Step&, Workspace&) { return false; }
bool find_nishio(const Grid&, Step&, Workspace&) { return false; }
bool find_multiple_chains(const Grid&, Step&, Workspace&) { return false; }
bool find_dynamic_chains(const Grid&, Step&, Workspace&, int, int) { return false; }

}  // namespace quorlen::logic
