// The plug-in kinds of kinds.def as a table: the Kind property's codes and their keywords.
#pragma once
#include <cstdint>

struct PluginKindFormat {
    const char* keyword;
    uint32_t code;
    const char* description;  // the comment written with the code
};

extern const PluginKindFormat kPluginKinds[];
extern const int kPluginKindCount;

// The kind of a code, or null.
const PluginKindFormat* FindPluginKind(uint32_t code);
