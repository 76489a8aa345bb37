// Must not compile: the Solve command reports its placements to a sink and
// cannot see the view that the layer above draws from them.
#include "view/view.h"
