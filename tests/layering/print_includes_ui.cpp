// Must not compile: the printed page cannot see the window logic; it draws what it is given.
#include "ui/sudoku.h"
