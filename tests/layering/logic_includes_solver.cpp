// Must not compile: the person's solver stands beside the Solve command and cannot see it.
#include "solver/solver.h"
