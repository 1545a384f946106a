// Little-endian byte builders for hand-made compiled resources in the decoder tests.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

inline void Put16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

inline void Put16s(Bytes& b, std::initializer_list<uint16_t> values) {
    for (uint16_t v : values) Put16(b, v);
}

inline void Put32s(Bytes& b, std::initializer_list<uint32_t> values) {
    for (uint32_t v : values) Put32(b, v);
}

// A code as the resource compiler lays it out: characters reversed ('kind' -> "dnik").
inline void PutCode(Bytes& b, const char* code) {
    for (int i = 3; i >= 0; --i) b.push_back(uint8_t(code[i]));
}

inline void PutText(Bytes& b, const std::string& text) {
    b.insert(b.end(), text.begin(), text.end());
}

// The leading empty entry that every .res file starts with.
inline Bytes Leading() {
    Bytes b;
    Put32s(b, {0, 32});
    Put16s(b, {0xFFFF, 0, 0xFFFF, 0});
    b.resize(32, 0);
    return b;
}

// One entry with a string type and an ordinal name, header and data padded to four bytes.
inline void PutEntry(Bytes& file, const std::string& type, uint16_t name, const Bytes& data) {
    Bytes header;
    if (type[0] == '#') {  // an ordinal type: "#6"
        Put16(header, 0xFFFF);
        Put16(header, uint16_t(std::stoi(type.substr(1))));
    } else {
        for (char c : type) Put16(header, uint16_t(c));
        Put16(header, 0);
    }
    Put16s(header, {0xFFFF, name});
    while ((8 + header.size()) % 4) header.push_back(0);
    Put32(header, 0);                 // DataVersion
    Put16s(header, {0x1030, 0x0409});  // MemoryFlags, LanguageId
    Put32s(header, {0, 0});           // Version, Characteristics
    Put32s(file, {uint32_t(data.size()), uint32_t(8 + header.size())});
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), data.begin(), data.end());
    while (file.size() % 4) file.push_back(0);
}

inline void PutRecord(Bytes& b, const char* vendor, const char* key, const Bytes& value) {
    PutCode(b, vendor);
    PutCode(b, key);
    Put32s(b, {0, uint32_t(value.size())});
    b.insert(b.end(), value.begin(), value.end());
}

inline Bytes ListHeader(uint32_t count) {
    Bytes b;
    Put16(b, 1);
    Put32(b, 0);
    Put32(b, count);
    return b;
}
