// Name hashing shared by the keyword, symbol and enum-constant indexes.
#pragma once
#include <cstdint>

// FNV-1a over the bytes of a name. Keywords and symbols match in any letter case over at most
// 80 characters, so they are hashed in lower case over as much; enum constants match exactly.
constexpr uint32_t kNameHashBasis = 2166136261u;
constexpr uint32_t kNameHashPrime = 16777619u;
constexpr int kNameMatchMax = 80;

inline unsigned char LowerAsciiByte(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? (unsigned char)(c + ('a' - 'A')) : c;
}
inline uint32_t HashStep(uint32_t hash, unsigned char c) {
    return (hash ^ c) * kNameHashPrime;
}

inline uint32_t HashNameNoCase(const char* name) {
    uint32_t hash = kNameHashBasis;
    for (int i = 0; i < kNameMatchMax && name[i] != '\0'; ++i)
        hash = HashStep(hash, LowerAsciiByte((unsigned char)name[i]));
    return hash;
}

inline uint32_t HashNameExact(const char* name) {
    uint32_t hash = kNameHashBasis;
    for (; *name != '\0'; ++name) hash = HashStep(hash, (unsigned char)*name);
    return hash;
}

// Both hashes of a word the tokenizer has just read.
struct NameHashes {
    uint32_t noCase;
    uint32_t exact;
};
