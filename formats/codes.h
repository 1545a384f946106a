// Four-character codes, the unit of every type, vendor, key and kind in the formats.
#pragma once
#include <cstdint>

// Four-character codes are 32-bit values, first character in the high byte.
constexpr uint32_t FourCC(const char (&s)[5]) {
    return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
           (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}
