// Must not compile: the generator layer cannot see the window logic above it.
#include "ui/sudoku.h"
