// Must not compile: the game value and its text forms stand beside the
// Solve command and know nothing of it.
#include "solver/solver.h"
