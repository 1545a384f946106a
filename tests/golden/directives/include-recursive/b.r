#include "a.r" // back to a
