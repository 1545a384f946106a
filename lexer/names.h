// Name hashing shared by the keyword, symbol and enum-constant indexes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// Names are hashed eight bytes at a time. Keywords and symbols match in any letter case over
// at most 80 characters, so they are hashed over as much with bit 5 of every byte set, which
// gives a name in any letter case the same hash. Enum constants match exactly; they use the
// same hash, so that a word is hashed once for all three lookups, and their compare tells
// the letter cases apart.
constexpr int kNameMatchMax = 80;

inline uint64_t MixChunk(uint64_t hash, uint64_t chunk) {
    hash = (hash ^ chunk) * 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 29);
}

inline uint64_t LoadChunk(const char* bytes) {
    uint64_t chunk;
    std::memcpy(&chunk, bytes, 8);
    return chunk;
}

// The bytes after the last whole chunk: when the name has eight bytes or more, the last eight
// (they overlap the chunk before, which costs one load instead of a loop); else the bytes
// themselves. The same name gives the same chunk in any buffer.
inline uint64_t TailChunk(const char* name, size_t length) {
    if (length >= 8) return LoadChunk(name + length - 8);
    uint64_t chunk = 0;
    for (size_t k = 0; k < length; ++k) chunk |= uint64_t((unsigned char)name[k]) << (8 * k);
    return chunk;
}

inline uint32_t HashBytes(const char* name, size_t length, uint64_t fold) {
    uint64_t hash = 0x9E3779B97F4A7C15ull ^ length;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) hash = MixChunk(hash, LoadChunk(name + i) | fold);
    if (i < length) hash = MixChunk(hash, TailChunk(name, length) | fold);
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

inline unsigned char LowerAsciiByte(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}
