// String-table walker: a block of sixteen counted UTF-16 strings that fill the data exactly.
#include "dump/decode.h"

#include <cstdio>

bool WalkStringTable(const ResEntry& entry, std::string& summary, std::string& error) {
    if (!entry.name.isOrdinal || entry.name.ordinal == 0) {
        error = "a string table block needs an ordinal name of at least 1";
        return false;
    }
    const int firstId = (entry.name.ordinal - 1) * 16;
    ByteReader in(entry.data.data(), entry.data.size());
    int present = 0;
    for (int i = 0; i < 16; ++i) {
        uint16_t count = 0;
        if (!in.U16(count)) {
            error = "data ends before string " + std::to_string(i) + " of 16";
            return false;
        }
        if (size_t(count) * 2 > in.Remaining()) {
            error = "string " + std::to_string(firstId + i) + " of " + std::to_string(count) +
                    " units runs past the data";
            return false;
        }
        if (count == 0) continue;
        std::string text;
        for (uint16_t u = 0; u < count; ++u) {
            uint16_t unit = 0;
            in.U16(unit);
            if (text.size() >= 40) continue;
            if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\') {
                text += char(unit);
            } else {
                char hex[8];
                snprintf(hex, sizeof hex, "\\u%04X", unit);
                text += hex;
            }
        }
        if (count > 40) text += "...";
        summary += (present++ ? " " : "") + std::to_string(firstId + i) + "=\"" + text + "\"(" +
                   std::to_string(count) + ")";
    }
    if (in.Remaining() != 0) {
        error = std::to_string(in.Remaining()) + " bytes after the sixteenth string";
        return false;
    }
    if (present == 0) summary = "no strings";
    return true;
}
