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

// The 10-byte list header; false, with the problem reported, when the data cannot hold it.
bool PrintListHeader(const ResEntry& entry, DumpOutput& out, uint32_t& count) {
    const std::vector<uint8_t>& data = entry.data;
    out.text += "resource '" + std::string(SourceTypeName(entry.type)) + "' (" +
                std::to_string(entry.name.ordinal) + ") {\n";
    if (data.size() < 10) {
        const std::string what = "data of " + std::to_string(data.size()) +
                                 " bytes is shorter than the 10-byte list header";
        out.problems.push_back(ResourceLabel(entry) + ": " + what);
        out.text += "\t/* " + what + " */\n\t" + RawBytesComment(data.data(), data.size()) +
                    "\n\t{\n\t}\n};\n\n";
        return false;
    }
    const uint16_t first = ReadU16(&data[0]);
    const uint32_t version = ReadU32(&data[2]);
    count = ReadU32(&data[6]);
    if (first != 1 || version != 0) {
        const std::string what = "list header holds first word " + std::to_string(first) +
                                 " and version " + std::to_string(version) +
                                 "; the converter writes 1 and 0";
        out.problems.push_back(ResourceLabel(entry) + ": " + what);
        out.text += "\t/* " + what + " */\n";
    }
    return true;
}

// Prints a whole record's value as source into body; else says why it cannot be.
std::string PrintValue(const uint8_t* record, uint32_t length, DumpOutput& out,
                       const PropertyFormat*& row, std::string& body) {
    const uint32_t vendor = ReadU32(record);
    const uint32_t index = ReadU32(record + 8);
    const uint8_t* value = record + 16;
    std::string why;
    row = FindPropertyFormat(ReadU32(record + 4));
    if (!row) return "unknown property key";
    const ShapeFormat& shape = FormatOfShape(row->shape);
    if (vendor != row->vendor) {
        why = "vendor '" + FourCharText(vendor) + "', the converter writes '" +
              FourCharText(row->vendor) + "' for " + row->keyword;
    } else if (index != 0 && !shape.indexed) {
        why = "index " + std::to_string(index) + ", the converter writes 0";
    } else if (!shape.check(row->detail, value, length, why)) {
        why = row->keyword + std::string(": ") + why;
    }
    if (why.empty() && !shape.print(row->detail, value, length, out, body, why))
        why = row->keyword + std::string(": ") + why;
    if (why.empty() && shape.indexed) body = std::to_string(int32_t(index)) + ", " + body;
    return why;
}

// The record at offset, printed or reported, and offset moved past it; false, offset at the
// end of the data, when the data ends inside it.
bool PrintRecord(const ResEntry& entry, DumpOutput& out, size_t& offset, uint32_t number,
                 uint32_t count) {
    const std::vector<uint8_t>& data = entry.data;
    if (data.size() - offset < 16) {
        RecordProblem(entry, out,
                      "record " + std::to_string(number) + " of " + std::to_string(count), offset,
                      "the data ends inside the record header (count " + std::to_string(count) +
                          " larger than the records present)",
                      data.data() + offset, data.size() - offset);
        offset = data.size();
        return false;
    }
    const uint8_t* record = &data[offset];
    const uint32_t length = ReadU32(record + 12);
    const std::string property = "property '" + FourCharText(ReadU32(record + 4)) + "'";
    const size_t left = data.size() - offset - 16;
    if (length > left) {
        RecordProblem(entry, out, property, offset,
                      "length " + std::to_string(length) + " exceeds the " +
                          std::to_string(left) + " bytes left",
                      record, data.size() - offset);
        offset = data.size();
        return false;
    }
    const PropertyFormat* row = nullptr;
    std::string body;
    const std::string why = PrintValue(record, length, out, row, body);
    if (!why.empty())
        RecordProblem(entry, out, property, offset, why, record, 16 + size_t(length));
    else
        out.text += "\t\t" + std::string(row->keyword) +
                    (body.empty() ? " { }" : " { " + body + " }") + ",\n";
    offset += 16 + size_t(length);
    return true;
}

}  // namespace

void PrintPropertyList(const ResEntry& entry, DumpOutput& out) {
    const std::vector<uint8_t>& data = entry.data;
    uint32_t count = 0;
    if (!PrintListHeader(entry, out, count)) return;
    out.text += "\t{\n";
    size_t offset = 10;
    for (uint32_t records = 0; records < count; ++records)
        if (!PrintRecord(entry, out, offset, records + 1, count)) break;
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
