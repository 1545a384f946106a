// libFuzzer entry point of propwright-dump: no file is written or read. Each input is taken
// first as a whole file (a PE image when it starts with MZ, else a .res file) and every
// resource found is walked and printed; then the input is taken as the data of one resource
// of each type the dump prints, so the printers meet damaged data without needing a valid
// container around it. The plug-in check (--check) reads the whole input as well, export
// table included. Reading past the input aborts under the address sanitizer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dump/decode.h"

namespace {

void PrintAll(const std::vector<ResEntry>& entries) {
    DumpOutput out;
    for (const ResEntry& entry : entries) {
        std::string line, error;
        WalkEntry(entry, line, error);
        PrintEntry(entry, out);
    }
}

ResEntry Resource(const char* type, uint16_t ordinalType, const uint8_t* data, size_t size) {
    ResEntry entry;
    entry.type.isOrdinal = ordinalType != 0;
    entry.type.ordinal = ordinalType;
    entry.type.text = type;
    entry.name.ordinal = 1;
    entry.data.assign(data, data + size);
    return entry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    std::vector<ResEntry> entries;
    std::string error;
    if (LooksLikePeImage(bytes) ? ParsePeResources(bytes, entries, error)
                                : ParseResFile(bytes, entries, error))
        PrintAll(entries);
    std::vector<CheckFinding> findings;
    CheckPlugin(bytes, findings, error, true);

    entries.clear();
    for (const char* type : {"VTAG", "ADIN", "AETE", "PATE", "QKPN", "PATH"})
        entries.push_back(Resource(type, 0, data, size));
    entries.push_back(Resource("", 6, data, size));  // a string-table block
    PrintAll(entries);
    return 0;
}
