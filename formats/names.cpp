// The name lists of names.def.
#include "formats/names.h"

#define NAMES(list, ...)                                                        \
    static const char* const list##Items[] = {__VA_ARGS__};                     \
    const NameList list = {list##Items, int(sizeof list##Items / sizeof list##Items[0])};
#include "formats/names.def"
