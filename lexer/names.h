// Name hashing shared by the keyword, symbol and enum-constant indexes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Names are hashed eight bytes at a time. Keywords and symbols match in any letter case over
// at most 80 characters, so they are hashed over as much with bit 5 of every byte set, which
// gives a name in any letter case the same hash; enum constants match exactly.
constexpr int kNameMatchMax = 80;

inline uint64_t MixChunk(uint64_t hash, uint64_t chunk) {
    hash = (hash ^ chunk) * 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 29);
}

inline uint32_t HashBytes(const char* name, size_t length, uint64_t fold) {
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ length;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, name + i, 8);
        hash = MixChunk(hash, chunk | fold);
    }
    if (i < length) {
        uint64_t chunk = 0;
        for (size_t k = 0; i + k < length; ++k)
            chunk |= uint64_t((unsigned char)name[i + k]) << (8 * k);
        hash = MixChunk(hash, chunk | fold);
    }
    return uint32_t(hash ^ (hash >> 32));
}

inline uint32_t HashNameNoCase(const char* name, size_t length) {
    return HashBytes(name, length < size_t(kNameMatchMax) ? length : kNameMatchMax,
                     0x2020202020202020ull);
}
inline uint32_t HashNameNoCase(const char* name) {
    size_t length = 0;
    while (length < size_t(kNameMatchMax) && name[length] != '\0') ++length;
    return HashNameNoCase(name, length);
}

inline uint32_t HashNameExact(const char* name, size_t length) {
    return HashBytes(name, length, 0);
}
inline uint32_t HashNameExact(const char* name) {
    return HashNameExact(name, std::strlen(name));
}

inline unsigned char LowerAsciiByte(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}
