// Searches not written yet: each finds nothing.
#include "logic/techniques.h"

namespace quorlen::logic {

bool find_strong_links(const Grid&, Step&, Workspace&, int) { return false; }
bool find_xy_wing(const Grid&, Step&, Workspace&, bool) { return false; }
bool find_set_wing(const Grid&, Step&, Workspace&, int) { return false; }
bool find_unique_loop(const Grid&, Step&, Workspace&) { return false; }
bool find_bug(const Grid&, Step&, Workspace&) { return false; }
bool find_aligned_exclusion(const Grid&, Step&, Workspace&, int) { return false; }

}  // namespace quorlen::logic
