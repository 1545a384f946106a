// Printers of the add-in category, 'Pate', viewer, path and string-table resources.
#include "dump/decode.h"

#include <cstdio>

namespace {

std::string Header(const ResEntry& entry) {
    return "resource '" + std::string(SourceTypeName(entry.type)) + "' (" +
           std::to_string(entry.name.ordinal) + ") {\n";
}

void Unwritable(const ResEntry& entry, DumpOutput& out, const std::string& what) {
    out.problems.push_back(ResourceLabel(entry) + ": " + what);
    out.text += "/* " + CommentText(ResourceLabel(entry) + ": " + what) + " */\n" +
                RawBytesComment(entry.data.data(), entry.data.size()) + "\n\n";
}

// A length byte, its text and the fill to a multiple of four (checked by the walker).
std::string PaddedName(const std::vector<uint8_t>& data, size_t& offset, bool utf8) {
    const size_t n = data[offset];
    const std::string text = QuotedText(&data[offset + 1], n, utf8);
    offset += ((n + 1) / 4 + 1) * 4;
    return text;
}

}  // namespace

// Categories of filters with their 16-bit values; the walker has checked every size and count.
void PrintAddIns(const ResEntry& entry, DumpOutput& out) {
    const std::vector<uint8_t>& data = entry.data;
    std::string text = Header(entry) + "\t{\n";
    const uint16_t categories = ReadU16(&data[2]);
    size_t offset = 4;
    for (uint16_t c = 0; c < categories; ++c) {
        const uint16_t filters = ReadU16(&data[offset + 2]);
        offset += 4;
        text += "\t\t" + PaddedName(data, offset, out.utf8) + ", {\n";
        for (uint16_t f = 0; f < filters; ++f) {
            text += "\t\t\t" + PaddedName(data, offset, out.utf8) + ", {";
            const uint16_t values = ReadU16(&data[offset]);
            offset += 2;
            for (uint16_t v = 0; v < values; ++v, offset += 2)
                text += (v ? ", " : " ") + std::to_string(ReadU16(&data[offset]));
            text += values ? " },\n" : " },\n";
        }
        text += "\t\t},\n";
    }
    out.text += text + "\t}\n};\n\n";
}

// 'Pate': the word 1, then a zero-ended text. 'QkPn': the word -3, then the same.
void PrintTextResource(const ResEntry& entry, DumpOutput& out) {
    const std::vector<uint8_t>& data = entry.data;
    const bool viewer = FindResourceFormat(entry.type)->form == kViewerForm;
    const uint16_t marker = viewer ? 0xFFFD : 1;
    if (data.size() < 3) {
        Unwritable(entry, out, "data of " + std::to_string(data.size()) +
                                   " bytes, at least 3 needed (marker word and the ending zero)");
        return;
    }
    if (ReadU16(&data[0]) != marker) {
        Unwritable(entry, out, "offset 0: first word " + std::to_string(ReadU16(&data[0])) +
                                   ", the converter writes " + std::to_string(marker));
        return;
    }
    if (data.back() != 0) {
        Unwritable(entry, out, "offset " + std::to_string(data.size() - 1) +
                                   ": the text is not ended by a zero byte");
        return;
    }
    // The viewer's text is taken as read, also under -u: its bytes stay escapes.
    const std::string text = QuotedText(&data[2], data.size() - 3, out.utf8 && !viewer);
    if (viewer) {
        out.usesViewer = true;
        out.text += Header(entry) + "\tVersion3 { " + text + " }\n};\n\n";
    } else {
        out.text += Header(entry) + "\t" + text + "\n};\n\n";
    }
}

// Hex strings of 16-bit words, the bytes in the order of the data.
void PrintPath(const ResEntry& entry, DumpOutput& out) {
    const std::vector<uint8_t>& data = entry.data;
    if (data.size() % 2) {
        Unwritable(entry, out, "odd data size " + std::to_string(data.size()) +
                                   "; the converter writes whole 16-bit words");
        return;
    }
    std::string text = "data 'PATH' (" + std::to_string(entry.name.ordinal) + ") {\n";
    for (size_t i = 0; i < data.size(); i += 32) {
        text += "\t$\"";
        for (size_t j = i; j < data.size() && j < i + 32; j += 2) {
            char word[8];
            snprintf(word, sizeof word, "%s%02X%02X", j > i ? " " : "", data[j], data[j + 1]);
            text += word;
        }
        text += "\"\n";
    }
    out.text += text + "};\n\n";
}

// One 'STR ' resource per string of the block; the walker has checked the counts.
void PrintStringTable(const ResEntry& entry, DumpOutput& out) {
    const std::vector<uint8_t>& data = entry.data;
    const long firstId = (long(entry.name.ordinal) - 1) * 16;
    size_t offset = 0;
    for (int i = 0; i < 16; ++i) {
        const uint16_t count = ReadU16(&data[offset]);
        const size_t at = offset;
        offset += 2;
        std::vector<uint16_t> units;
        uint16_t unwritable = 0;
        for (uint16_t u = 0; u < count; ++u, offset += 2) {
            const uint16_t unit = ReadU16(&data[offset]);
            uint8_t byte;
            if (!unwritable && !ByteIn1252(unit, byte)) unwritable = unit;
            if (unit > 0x7F) out.usesCodePage = true;
            units.push_back(unit);
        }
        if (count == 0) continue;
        const std::string id = std::to_string(firstId + i);
        if (unwritable) {
            char character[8];
            snprintf(character, sizeof character, "U+%04X", unwritable);
            const std::string what = "string " + id + " at offset " + std::to_string(at) +
                                     " holds " + character + ", which code page 1252, "
                                     "the script's, cannot hold";
            out.problems.push_back(ResourceLabel(entry) + ": " + what);
            out.text += "/* " + CommentText(what) + " */\n" +
                        RawBytesComment(&data[at], 2 + 2 * size_t(count)) + "\n";
            continue;
        }
        out.text += "resource 'STR ' (" + id + ") { " + QuotedUnits(units, out.utf8) + " };\n";
    }
    out.text += "\n";
}
