// The .res container: entry headers, alignment and padding, and the bounded data reader.
#include "dump/decode.h"

#include <cstdio>

void ResId::AppendUnit(uint16_t unit) {
    if (unit >= 0x20 && unit < 0x7F) {
        text += char(unit);
        return;
    }
    char hex[8];
    snprintf(hex, sizeof hex, "\\u%04X", unit);
    text += hex;
}

std::string ResId::Display() const {
    return isOrdinal ? "#" + std::to_string(ordinal) : text;
}

bool ByteReader::U16(uint16_t& value) {
    if (Remaining() < 2) return false;
    value = uint16_t(data_[offset_] | (data_[offset_ + 1] << 8));
    offset_ += 2;
    return true;
}

bool ByteReader::U32(uint32_t& value) {
    if (Remaining() < 4) return false;
    value = uint32_t(data_[offset_]) | (uint32_t(data_[offset_ + 1]) << 8) |
            (uint32_t(data_[offset_ + 2]) << 16) | (uint32_t(data_[offset_ + 3]) << 24);
    offset_ += 4;
    return true;
}

bool ByteReader::Skip(size_t count) {
    if (Remaining() < count) return false;
    offset_ += count;
    return true;
}

std::string FourCharText(uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char c = (unsigned char)(code >> shift);
        if (c >= 0x20 && c < 0x7F) {
            text += char(c);
        } else {
            char hex[8];
            snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

namespace {

std::string At(size_t offset, const std::string& message) {
    return "offset " + std::to_string(offset) + ": " + message;
}

// A type or name field: 0xFFFF and an ordinal, or zero-terminated UTF-16 units.
bool ReadId(ByteReader& in, size_t base, ResId& id, const char* what, std::string& error) {
    uint16_t unit = 0;
    if (!in.U16(unit)) {
        error = At(base + in.Offset(), std::string("header ends inside the ") + what);
        return false;
    }
    if (unit == 0xFFFF) {
        id.isOrdinal = true;
        if (!in.U16(id.ordinal)) {
            error = At(base + in.Offset(), std::string("header ends inside the ") + what);
            return false;
        }
        return true;
    }
    id.isOrdinal = false;
    id.text.clear();
    while (unit != 0) {
        id.AppendUnit(unit);
        if (!in.U16(unit)) {
            error = At(base + in.Offset(), std::string("unterminated ") + what + " string");
            return false;
        }
    }
    if (id.text.empty()) {
        error = At(base + in.Offset(), std::string("empty ") + what + " string");
        return false;
    }
    return true;
}

size_t Align4(size_t n) {
    return (n + 3) & ~size_t(3);
}

// Bytes [from, to) of the entry at start, up to the end of the file, must be zero: the
// alignment and the padding carry nothing.
bool CheckZeroFill(const std::vector<uint8_t>& bytes, size_t start, size_t from, size_t to,
                   const char* what, std::string& error) {
    for (size_t i = from; i < to && start + i < bytes.size(); ++i) {
        if (bytes[start + i] != 0) {
            error = At(start + i, what);
            return false;
        }
    }
    return true;
}

// The header of the entry at start, in reads it up to the data; dataSize is the data's length.
bool ReadEntryHeader(const std::vector<uint8_t>& bytes, size_t start, ByteReader& in,
                     ResEntry& entry, uint32_t& dataSize, std::string& error) {
    uint32_t headerSize = 0;
    if (!in.U32(dataSize) || !in.U32(headerSize)) {
        error = At(start, "truncated entry header");
        return false;
    }
    if (!ReadId(in, start, entry.type, "type", error) ||
        !ReadId(in, start, entry.name, "name", error)) {
        return false;
    }
    const size_t aligned = Align4(in.Offset());
    if (!CheckZeroFill(bytes, start, in.Offset(), aligned, "non-zero header alignment byte", error))
        return false;
    if (!in.Skip(aligned - in.Offset()) || !in.U32(entry.dataVersion) ||
        !in.U16(entry.memoryFlags) || !in.U16(entry.languageId) || !in.U32(entry.version) ||
        !in.U32(entry.characteristics)) {
        error = At(start, "truncated entry header");
        return false;
    }
    if (in.Offset() != headerSize) {
        error = At(start, "HeaderSize " + std::to_string(headerSize) + " but the header takes " +
                              std::to_string(in.Offset()) + " bytes");
        return false;
    }
    return true;
}

// The data of the entry at start and its zero padding to a four-byte boundary; in moves past both.
bool ReadEntryData(const std::vector<uint8_t>& bytes, size_t start, ByteReader& in,
                   uint32_t dataSize, ResEntry& entry, std::string& error) {
    if (in.Remaining() < dataSize) {
        error = At(start, "DataSize " + std::to_string(dataSize) + " but only " +
                              std::to_string(in.Remaining()) + " bytes follow the header");
        return false;
    }
    const uint8_t* data = in.Here();
    entry.data.assign(data, data + dataSize);
    in.Skip(dataSize);
    const size_t end = Align4(in.Offset());
    if (end - in.Offset() > in.Remaining()) {
        error = At(start + in.Offset(), "missing padding after the data");
        return false;
    }
    if (!CheckZeroFill(bytes, start, in.Offset(), end, "non-zero padding byte after the data",
                       error))
        return false;
    in.Skip(end - in.Offset());
    return true;
}

// One entry starting at offset; on success offset moves past its data padding.
bool ReadEntry(const std::vector<uint8_t>& bytes, size_t& offset, ResEntry& entry,
               std::string& error) {
    const size_t start = offset;
    ByteReader in(bytes.data() + start, bytes.size() - start);
    uint32_t dataSize = 0;
    if (!ReadEntryHeader(bytes, start, in, entry, dataSize, error) ||
        !ReadEntryData(bytes, start, in, dataSize, entry, error))
        return false;
    offset = start + in.Offset();
    return true;
}

}  // namespace

bool ParseResFile(const std::vector<uint8_t>& bytes, std::vector<ResEntry>& entries,
                  std::string& error) {
    entries.clear();
    // The leading entry: no data, a 32-byte header with ordinal type and name 0, all else 0.
    static const uint8_t kLeading[32] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0,
                                         0xFF, 0xFF, 0, 0};
    if (bytes.size() < sizeof kLeading) {
        error = "file of " + std::to_string(bytes.size()) + " bytes has no 32-byte leading entry";
        return false;
    }
    for (size_t i = 0; i < sizeof kLeading; ++i) {
        if (bytes[i] != kLeading[i]) {
            error = At(i, "the leading empty entry differs from its fixed form");
            return false;
        }
    }
    size_t offset = sizeof kLeading;
    while (offset < bytes.size()) {
        ResEntry entry;
        if (!ReadEntry(bytes, offset, entry, error)) return false;
        entries.push_back(std::move(entry));
    }
    return true;
}
