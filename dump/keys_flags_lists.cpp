// Value checks for the flag-set, filter case, type and extension list and format limit keys.
#include "dump/decode.h"

#include <cstdio>

namespace {

bool FixedLength(size_t length, size_t expected, std::string& error) {
    if (length == expected) return true;
    error = "value of " + std::to_string(length) + " bytes, expected " + std::to_string(expected);
    return false;
}

// A multiple of unit bytes, at least minimum.
bool ListLength(size_t length, size_t unit, size_t minimum, std::string& error) {
    if (length % unit == 0 && length >= minimum) return true;
    error = "list of " + std::to_string(length) + " bytes, expected a multiple of " +
            std::to_string(unit) + " of at least " + std::to_string(minimum);
    return false;
}

std::string Hex(unsigned value) {
    char text[16];
    snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// A flag byte in the first of four bytes; only the set's own bits may be set.
bool FlagByte(const uint8_t* value, size_t length, unsigned allowed, std::string& error) {
    if (!FixedLength(length, 4, error)) return false;
    if (value[0] & ~allowed) {
        error = "flag byte " + Hex(value[0]) + " has bits outside " + Hex(allowed);
        return false;
    }
    if (value[1] || value[2] || value[3]) {
        error = "bytes after the flag byte are not zero";
        return false;
    }
    return true;
}

}  // namespace

bool CheckFlagSet(const ShapeDetail& detail, const uint8_t* value, size_t length,
                  std::string& error) {
    return FlagByte(value, length, FlagSetMask(detail), error);
}

// The mode word (eight modes in the first byte, duotone and Lab in the top bits of the second)
// and a reserved zero word.
bool CheckSupportedModes(const uint8_t* value, size_t length, std::string& error) {
    if (!FixedLength(length, 4, error)) return false;
    const unsigned second = ListBits(kModeGroup2Names) << (8 - kModeGroup2Names.count);
    if (value[1] & ~second) {
        error = "mode word's second byte " + Hex(value[1]) + " has bits outside " + Hex(second);
        return false;
    }
    if (value[2] || value[3]) {
        error = "reserved word is not zero";
        return false;
    }
    return true;
}

// Seven entries of input case, output case, four flags in the low nibble, and a zero byte.
bool CheckFilterCaseInfo(const uint8_t* value, size_t length, std::string& error) {
    if (!FixedLength(length, 28, error)) return false;
    for (size_t i = 0; i < 28; i += 4) {
        if ((value[i + 2] & ~ListBits(kCaseFlagNames)) || value[i + 3]) {
            error = "case " + std::to_string(i / 4 + 1) + " has flags " + Hex(value[i + 2]) +
                    " and reserved byte " + Hex(value[i + 3]);
            return false;
        }
    }
    return true;
}

bool CheckTypeCreator(const uint8_t*, size_t length, std::string& error) {
    return FixedLength(length, 8, error);
}

bool CheckTypeCreatorList(const uint8_t*, size_t length, std::string& error) {
    return ListLength(length, 8, 8, error);
}

bool CheckTypeList(const uint8_t*, size_t length, std::string& error) {
    return ListLength(length, 4, 4, error);
}

// Extensions may be an empty list.
bool CheckExtensionList(const uint8_t*, size_t length, std::string& error) {
    return ListLength(length, 4, 0, error);
}

bool CheckMaxSize(const uint8_t*, size_t length, std::string& error) {
    return FixedLength(length, 4, error);
}

// 16-bit channel counts, at least one; an odd count leaves the length unpadded.
bool CheckMaxChannels(const uint8_t*, size_t length, std::string& error) {
    return ListLength(length, 2, 2, error);
}
