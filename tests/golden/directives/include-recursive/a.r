resource 'STR ' (1) { "a" };
#include "b.r" // from a
