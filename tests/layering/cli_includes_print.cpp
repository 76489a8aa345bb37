// Must not compile: the command-line layer stays free of any toolkit.
#include "print/booklet.h"
