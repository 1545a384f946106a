// Byte scanners of the lexer: the length of a run of bytes of one kind, sixteen bytes at a
// time where the processor has SSE2, eight or one at a time elsewhere.
#pragma once
#include <cstdint>
#include <cstring>

// Defined to 0 beforehand, it selects the portable loops (the tests build both).
#if !defined(PROPWRIGHT_SCAN_SSE2)
#if defined(__SSE2__) || defined(_M_X64)
#define PROPWRIGHT_SCAN_SSE2 1
#else
#define PROPWRIGHT_SCAN_SSE2 0
#endif
#endif
#if PROPWRIGHT_SCAN_SSE2
#include <emmintrin.h>
#if defined(_MSC_VER)
#include <intrin.h>
#endif
#endif

// The word bytes: the ASCII letters, the digits and '_'.
struct WordByteTable {
    bool of[256];
    constexpr WordByteTable() : of() {
        for (int c = 'A'; c <= 'Z'; ++c) of[c] = of[c + ('a' - 'A')] = true;
        for (int c = '0'; c <= '9'; ++c) of[c] = true;
        of[int('_')] = true;
    }
};
inline constexpr WordByteTable kWordBytes;

#if PROPWRIGHT_SCAN_SSE2
// The index of the lowest set bit of a non-zero mask.
inline int ScanLowestBit(unsigned mask) {
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward(&index, mask);
    return int(index);
#else
    return __builtin_ctz(mask);
#endif
}

inline __m128i ScanLoad16(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// 0xFF in each byte lane that is at most limit (unsigned).
inline __m128i ScanAtMost(__m128i bytes, char limit) {
    return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(limit)), bytes);
}

// 0xFF in each byte lane that holds a word byte: a letter has 'a'..'z' once bit 5 is set.
inline __m128i ScanWordLanes(__m128i bytes) {
    const __m128i letter = _mm_sub_epi8(_mm_or_si128(bytes, _mm_set1_epi8(0x20)),
                                        _mm_set1_epi8('a'));
    const __m128i digit = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    return _mm_or_si128(_mm_or_si128(ScanAtMost(letter, 25), ScanAtMost(digit, 9)),
                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_')));
}
#endif

// The number of word bytes at the start of text[0, limit).
inline int32_t WordRunLength(const char* text, int32_t limit) {
    int32_t n = 0;
#if PROPWRIGHT_SCAN_SSE2
    for (; limit - n >= 16; n += 16) {
        const unsigned words = unsigned(_mm_movemask_epi8(ScanWordLanes(ScanLoad16(text + n))));
        const unsigned others = ~words & 0xFFFFu;
        if (others != 0) return n + ScanLowestBit(others);
    }
#endif
    while (n < limit && kWordBytes.of[(unsigned char)text[n]]) ++n;
    return n;
}

// True when one of the eight bytes of chunk is the byte whose eight copies are spread.
inline bool ChunkHasByte(uint64_t chunk, uint64_t spread) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    const uint64_t x = chunk ^ spread;  // a byte is zero where the byte sought stood
    return ((x - kOnes) & ~x & (kOnes << 7)) != 0;
}

// The number of bytes at the start of text[0, limit) that are none of a, b and c.
inline int32_t RunLengthBefore(const char* text, int32_t limit, char a, char b, char c) {
    int32_t n = 0;
#if PROPWRIGHT_SCAN_SSE2
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), vc = _mm_set1_epi8(c);
    for (; limit - n >= 16; n += 16) {
        const __m128i bytes = ScanLoad16(text + n);
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, va),
                                                      _mm_cmpeq_epi8(bytes, vb)),
                                         _mm_cmpeq_epi8(bytes, vc));
        const unsigned hits = unsigned(_mm_movemask_epi8(hit));
        if (hits != 0) return n + ScanLowestBit(hits);
    }
#else
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    for (; limit - n >= 8; n += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, text + n, 8);
        if (ChunkHasByte(chunk, kOnes * (unsigned char)a) ||
            ChunkHasByte(chunk, kOnes * (unsigned char)b) ||
            ChunkHasByte(chunk, kOnes * (unsigned char)c))
            break;  // the byte loop below finds which
    }
#endif
    for (; n < limit; ++n)
        if (text[n] == a || text[n] == b || text[n] == c) break;
    return n;
}
