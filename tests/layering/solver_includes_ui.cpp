// Must not compile: the solver layer cannot see the window logic above it.
#include "ui/sudoku.h"
