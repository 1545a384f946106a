// Positional name lists shared by the converter (which reads the names) and the dump (which
// prints them back): the rows of names.def.
#pragma once

struct NameList {
    const char* const* names;  // "" where a position has no name
    int count;
};

#define NAMES(list, ...) extern const NameList list;
#include "formats/names.def"
