// The plug-in kinds of kinds.def as a table.
#include "formats/kinds.h"

#include "formats/codes.h"

const PluginKindFormat kPluginKinds[] = {
#define PLUGIN_KIND(keyword, code, description) {#keyword, FourCC(#code), description},
#include "formats/kinds.def"
};

const int kPluginKindCount = int(sizeof kPluginKinds / sizeof kPluginKinds[0]);

const PluginKindFormat* FindPluginKind(uint32_t code) {
    for (const PluginKindFormat& kind : kPluginKinds) {
        if (kind.code == code) return &kind;
    }
    return nullptr;
}
