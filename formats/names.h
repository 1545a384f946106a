// Positional name lists shared by the converter (which reads the names) and the dump (which
// prints them back): the rows of names.def.
#pragma once
#include <cstdint>

struct NameList {
    const char* const* names;  // "" where a position has no name
    int count;
};

// The bits of a list of flag items in their lowest places: one bit per name.
constexpr uint32_t ListBits(const NameList& list) {
    return (uint32_t(1) << list.count) - 1;
}

#define NAMES(list, ...) extern const NameList list;
#include "formats/names.def"
