// Little-endian byte builders for hand-made compiled resources in the decoder tests.
#pragma once
#include <cstdint>
#include <vector>

typedef std::vector<uint8_t> Bytes;

inline void Put16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// A code as the resource compiler lays it out: characters reversed ('kind' -> "dnik").
inline void PutCode(Bytes& b, const char* code) {
    for (int i = 3; i >= 0; --i) b.push_back(uint8_t(code[i]));
}
