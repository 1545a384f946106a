// Add-in category walker ('AdIn'): every category's size and every count must match the bytes.
#include "dump/decode.h"

namespace {

// A name: length byte n, n bytes, then one to four zero bytes up to a multiple of four.
bool ReadPaddedName(ByteReader& in, std::string& name, std::string& error) {
    if (in.Remaining() == 0) {
        error = "data ends where a name begins";
        return false;
    }
    const size_t n = in.Here()[0];
    const size_t length = ((n + 1) / 4 + 1) * 4;
    if (length > in.Remaining()) {
        error = "name of " + std::to_string(n) + " bytes needs " + std::to_string(length) +
                " bytes, only " + std::to_string(in.Remaining()) + " remain";
        return false;
    }
    std::string why;
    if (!CheckLengthPrefixedString(in.Here(), length, why)) {
        error = "name: " + why;
        return false;
    }
    name.assign(reinterpret_cast<const char*>(in.Here()) + 1, n);
    in.Skip(length);
    return true;
}

bool WalkFilter(ByteReader& in, std::string& summary, std::string& error) {
    std::string name;
    uint16_t count = 0;
    if (!ReadPaddedName(in, name, error)) return false;
    if (!in.U16(count)) {
        error = "filter '" + name + "': data ends before its property count";
        return false;
    }
    if (size_t(count) * 2 > in.Remaining()) {
        error = "filter '" + name + "': " + std::to_string(count) + " values, only " +
                std::to_string(in.Remaining()) + " bytes remain";
        return false;
    }
    in.Skip(size_t(count) * 2);
    summary += " " + name + "[" + std::to_string(count) + "]";
    return true;
}

bool WalkCategory(ByteReader& in, std::string& summary, std::string& error) {
    const size_t start = in.Offset();
    uint16_t size = 0, filters = 0;
    if (!in.U16(size) || !in.U16(filters)) {
        error = "data ends inside a category header";
        return false;
    }
    std::string name;
    if (!ReadPaddedName(in, name, error)) return false;
    summary += " '" + name + "':";
    for (uint16_t f = 0; f < filters; ++f) {
        if (!WalkFilter(in, summary, error)) {
            error = "category '" + name + "' filter " + std::to_string(f + 1) + " of " +
                    std::to_string(filters) + ": " + error;
            return false;
        }
    }
    if (in.Offset() - start != size) {
        error = "category '" + name + "': size field " + std::to_string(size) +
                ", its records take " + std::to_string(in.Offset() - start) + " bytes";
        return false;
    }
    return true;
}

}  // namespace

bool WalkAddIns(const ResEntry& entry, std::string& summary, std::string& error) {
    ByteReader in(entry.data.data(), entry.data.size());
    uint16_t first = 0, count = 0;
    if (!in.U16(first) || !in.U16(count)) {
        error = "data shorter than the 4-byte header";
        return false;
    }
    if (first != 1) {
        error = "first word is " + std::to_string(first) + ", must be 1";
        return false;
    }
    summary = std::to_string(count) + (count == 1 ? " category" : " categories");
    for (uint16_t c = 0; c < count; ++c) {
        if (!WalkCategory(in, summary, error)) {
            error = "category " + std::to_string(c + 1) + " of " + std::to_string(count) + ": " +
                    error;
            return false;
        }
    }
    if (in.Remaining() != 0) {
        error = std::to_string(in.Remaining()) + " bytes after the last of " +
                std::to_string(count) + " categories";
        return false;
    }
    return true;
}
