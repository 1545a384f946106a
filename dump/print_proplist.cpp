// Property-list printer ('Vtag', 'AdPr'): one property per line, each record checked against
// the bytes; a record that no source can give stays as a comment with its raw bytes.
#include "dump/decode.h"

namespace {

// Problem line and comment of one record.
void RecordProblem(const ResEntry& entry, DumpOutput& out, const std::string& property,
                   size_t offset, const std::string& what, const uint8_t* raw, size_t count) {
    const std::string line = property + " at offset " + std::to_string(offset) + ": " + what;
    out.problems.push_back(ResourceLabel(entry) + ": " + line);
    out.text += "\t\t/* " + CommentText(line) + " */\n\t\t" + RawBytesComment(raw, count) + "\n";
}

}  // namespace

void PrintPropertyList(const ResEntry& entry, DumpOutput& out) {
    const std::vector<uint8_t>& data = entry.data;
    out.text += "resource '" + std::string(SourceTypeName(entry.type)) + "' (" +
                std::to_string(entry.name.ordinal) + ") {\n";
    if (data.size() < 10) {
        const std::string what = "data of " + std::to_string(data.size()) +
                                 " bytes is shorter than the 10-byte list header";
        out.problems.push_back(ResourceLabel(entry) + ": " + what);
        out.text += "\t/* " + what + " */\n\t" + RawBytesComment(data.data(), data.size()) +
                    "\n\t{\n\t}\n};\n\n";
        return;
    }
    const uint16_t first = ReadU16(&data[0]);
    const uint32_t version = ReadU32(&data[2]);
    const uint32_t count = ReadU32(&data[6]);
    if (first != 1 || version != 0) {
        const std::string what = "list header holds first word " + std::to_string(first) +
                                 " and version " + std::to_string(version) +
                                 "; the converter writes 1 and 0";
        out.problems.push_back(ResourceLabel(entry) + ": " + what);
        out.text += "\t/* " + what + " */\n";
    }
    out.text += "\t{\n";
    size_t offset = 10;
    uint32_t records = 0;
    for (; records < count; ++records) {
        const std::string where = "record " + std::to_string(records + 1) + " of " +
                                  std::to_string(count);
        if (data.size() - offset < 16) {
            RecordProblem(entry, out, where, offset,
                          "the data ends inside the record header (count " +
                              std::to_string(count) + " larger than the records present)",
                          data.data() + offset, data.size() - offset);
            offset = data.size();
            break;
        }
        const uint8_t* record = &data[offset];
        const uint32_t vendor = ReadU32(record);
        const uint32_t key = ReadU32(record + 4);
        const uint32_t index = ReadU32(record + 8);
        const uint32_t length = ReadU32(record + 12);
        const std::string property = "property '" + FourCharText(key) + "'";
        const size_t left = data.size() - offset - 16;
        if (length > left) {
            RecordProblem(entry, out, property, offset,
                          "length " + std::to_string(length) + " exceeds the " +
                              std::to_string(left) + " bytes left",
                          record, data.size() - offset);
            offset = data.size();
            ++records;
            break;
        }
        const uint8_t* value = record + 16;
        std::string why;
        const PropertyRow* row = FindPropertyRow(key);
        if (!row) {
            why = "unknown property key";
        } else if (FourCharText(vendor) != row->vendor) {
            why = "vendor '" + FourCharText(vendor) + "', the converter writes '" + row->vendor +
                  "' for " + row->keyword;
        } else if (index != 0 && FourCharText(key) != "aPAR") {
            why = "index " + std::to_string(index) + ", the converter writes 0";
        } else if (const KeyCheckRow* check = FindKeyCheck(key)) {
            if (!check->check(value, length, why)) why = row->keyword + std::string(": ") + why;
        }
        std::string body;
        if (why.empty() && !row->print(value, length, out, body, why))
            why = row->keyword + std::string(": ") + why;
        if (!why.empty()) {
            RecordProblem(entry, out, property, offset, why, record, 16 + size_t(length));
        } else {
            if (FourCharText(key) == "aPAR") body = std::to_string(int32_t(index)) + ", " + body;
            out.text += "\t\t" + std::string(row->keyword) + (body.empty() ? " { }" : " { " + body + " }") +
                        ",\n";
        }
        offset += 16 + size_t(length);
    }
    if (offset < data.size()) {
        const std::string what = std::to_string(data.size() - offset) +
                                 " bytes after the last of " + std::to_string(count) +
                                 " records (count smaller than the records present)";
        out.problems.push_back(ResourceLabel(entry) + ": offset " + std::to_string(offset) + ": " +
                               what);
        out.text += "\t\t/* " + what + " */\n\t\t" +
                    RawBytesComment(data.data() + offset, data.size() - offset) + "\n";
    }
    out.text += "\t}\n};\n\n";
}
