// Property-list walker ('Vtag', 'AdPr'): list header, then records that must fill the data
// exactly; each value is checked by the check of its key's value shape.
#include "dump/decode.h"

namespace {

// A vendor that some property record is written with.
bool KnownVendor(uint32_t vendor) {
    for (int i = 0; i < kPropertyFormatCount; ++i) {
        const PropertyFormat& row = kPropertyFormats[i];
        if (row.shape != ValueShape::kRetired && row.vendor == vendor) return true;
    }
    return false;
}

}  // namespace

// One record at the reader's position: header, vendor, index, length and value checks; the
// reader moves past it and summary gets "key(length)".
static bool WalkRecord(ByteReader& in, const std::string& where, std::string& summary,
                       std::string& error) {
    const size_t recordStart = in.Offset();
    uint32_t vendor = 0, key = 0, index = 0, length = 0;
    if (!in.U32(vendor) || !in.U32(key) || !in.U32(index) || !in.U32(length)) {
        error = where + ": the data ends at byte " + std::to_string(in.Offset() + in.Remaining()) +
                " inside the record header at " + std::to_string(recordStart) +
                " (count larger than the records present)";
        return false;
    }
    const std::string keyText = FourCharText(key);
    if (!KnownVendor(vendor)) {
        error = where + " '" + keyText + "': unknown vendor '" + FourCharText(vendor) + "'";
        return false;
    }
    const PropertyFormat* row = FindPropertyFormat(key);
    const ShapeFormat* shape = row ? &FormatOfShape(row->shape) : nullptr;
    if (index != 0 && !(shape && shape->indexed)) {
        error = where + " '" + keyText + "': index " + std::to_string(index) + ", must be 0";
        return false;
    }
    if (length > in.Remaining()) {
        error = where + " '" + keyText + "': length " + std::to_string(length) + " but only " +
                std::to_string(in.Remaining()) + " bytes remain";
        return false;
    }
    std::string why;
    if (shape && !shape->check(row->detail, in.Here(), length, why)) {
        error = where + " '" + keyText + "': " + why;
        return false;
    }
    in.Skip(length);
    summary += keyText + "(" + std::to_string(length) + ")";
    return true;
}

bool WalkPropertyList(const ResEntry& entry, std::string& summary, std::string& error) {
    ByteReader in(entry.data.data(), entry.data.size());
    uint16_t first = 0;
    uint32_t version = 0, count = 0;
    if (!in.U16(first) || !in.U32(version) || !in.U32(count)) {
        error = "data of " + std::to_string(entry.data.size()) +
                " bytes is shorter than the 10-byte list header";
        return false;
    }
    if (first != 1) {
        error = "first word is " + std::to_string(first) + ", must be 1";
        return false;
    }
    if (version != 0) {
        error = "version is " + std::to_string(version) + ", must be 0";
        return false;
    }
    summary = std::to_string(count) + (count == 1 ? " property" : " properties");
    for (uint32_t i = 0; i < count; ++i) {
        summary += i == 0 ? ": " : " ";
        const std::string where = "record " + std::to_string(i + 1) + " of " + std::to_string(count);
        if (!WalkRecord(in, where, summary, error)) return false;
    }
    if (in.Remaining() != 0) {
        error = std::to_string(in.Remaining()) + " bytes after the last of " +
                std::to_string(count) + " records (count smaller than the records present, or a "
                "length too small)";
        return false;
    }
    return true;
}
