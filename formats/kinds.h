// The plug-in kinds of kinds.def as a table: the Kind property's codes and their keywords.
#pragma once
#include <cstdint>

struct PluginKindFormat {
    const char* keyword;
    uint32_t code;
    const char* description;  // the comment written with the code
};

// The place of each kind's row in kPluginKinds: kPluginKind<keyword>.
enum PluginKindRow : uint8_t {
#define PLUGIN_KIND(keyword, ...) kPluginKind##keyword,
#include "formats/kinds.def"
};

extern const PluginKindFormat kPluginKinds[];
extern const int kPluginKindCount;

// The kind of a code, or null.
const PluginKindFormat* FindPluginKind(uint32_t code);
