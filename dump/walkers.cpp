// The walker table: resource type -> walker. A new walker is one row here plus its own file.
#include "dump/decode.h"

#include <cctype>

namespace {

bool SameNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::toupper((unsigned char)*a) != std::toupper((unsigned char)*b)) return false;
    }
    return *a == *b;
}

const WalkerRow kWalkerTable[] = {
    {"VTAG", WalkPropertyList},
    {"ADPR", WalkPropertyList},
    {"#6", WalkStringTable},  // STRINGTABLE blocks
    {"ADIN", WalkAddIns},
    {"AETE", WalkTerminology},
};

}  // namespace

const WalkerRow* FindWalker(const ResId& type) {
    const std::string wanted = type.Display();
    for (const WalkerRow& row : kWalkerTable) {
        if (SameNoCase(row.typeName, wanted.c_str())) return &row;
    }
    return nullptr;
}

bool WalkEntry(const ResEntry& entry, std::string& line, std::string& error) {
    line = entry.type.Display() + " " + entry.name.Display() + " " +
           std::to_string(entry.data.size()) + " bytes: ";
    const WalkerRow* row = FindWalker(entry.type);
    if (!row) {
        line += "not walked";
        return true;
    }
    std::string summary;
    if (!row->walker(entry, summary, error)) {
        error = entry.type.Display() + " " + entry.name.Display() + ": " + error;
        return false;
    }
    line += summary;
    return true;
}
