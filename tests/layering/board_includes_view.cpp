// Must not compile: the board layer cannot see the view above it.
#include "view/view.h"
