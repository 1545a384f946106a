// Value checks for the scalar and string shapes: size pairs, presence flags, components,
// length-prefixed and C strings.
#include "dump/decode.h"

namespace {

bool CheckFixedLength(size_t length, size_t expected, std::string& error) {
    if (length == expected) return true;
    error = "value of " + std::to_string(length) + " bytes, expected " + std::to_string(expected);
    return false;
}

// The smallest multiple of four above n + 1: the length of a zero-filled string of n bytes.
size_t FilledLength(size_t n) {
    return ((n + 1) / 4 + 1) * 4;
}

}  // namespace

// A size pair: two 32-bit values.
bool CheckLongPair(const uint8_t*, size_t length, std::string& error) {
    return CheckFixedLength(length, 8, error);
}

// A presence flag is always the 32-bit value 1.
bool CheckPresenceFlag(const uint8_t* value, size_t length, std::string& error) {
    if (!CheckFixedLength(length, 4, error)) return false;
    const uint32_t flag = uint32_t(value[0]) | uint32_t(value[1]) << 8 | uint32_t(value[2]) << 16 |
                          uint32_t(value[3]) << 24;
    if (flag == 1) return true;
    error = "presence flag holds " + std::to_string(flag) + ", must be 1";
    return false;
}

// A component: a 32-bit version, then the identifier as a zero-filled C string.
bool CheckComponent(const uint8_t* value, size_t length, std::string& error) {
    if (length < 8) {
        error = "component value of " + std::to_string(length) + " bytes, at least 8 needed";
        return false;
    }
    std::string why;
    if (CheckCString(value + 4, length - 4, why)) return true;
    error = "identifier after the version: " + why;
    return false;
}


// Length byte n, n bytes, then zero bytes up to the smallest multiple of four above n + 1.
bool CheckLengthPrefixedString(const uint8_t* value, size_t length, std::string& error) {
    if (length == 0) {
        error = "empty value, a length-prefixed string needs at least its length byte";
        return false;
    }
    const size_t n = value[0];
    if (length != FilledLength(n)) {
        error = "length byte " + std::to_string(n) + " needs a value of " +
                std::to_string(FilledLength(n)) + " bytes, record length is " +
                std::to_string(length);
        return false;
    }
    for (size_t i = 1 + n; i < length; ++i) {
        if (value[i] != 0) {
            error = "fill byte " + std::to_string(i) + " after the " + std::to_string(n) +
                    "-byte text is not zero";
            return false;
        }
    }
    return true;
}

// The text, then one to four fill zeros and the terminating zero; length a multiple of four.
// The text is taken to end at its last non-zero byte.
bool CheckCString(const uint8_t* value, size_t length, std::string& error) {
    size_t n = length;
    while (n > 0 && value[n - 1] == 0) --n;
    const size_t zeros = length - n;
    if (length != FilledLength(n)) {
        error = "C string of " + std::to_string(n) + " bytes with " + std::to_string(zeros) +
                " zero bytes in a value of " + std::to_string(length) + " bytes; expected " +
                std::to_string(FilledLength(n) - n) + " zero bytes, value " +
                std::to_string(FilledLength(n)) + " bytes";
        return false;
    }
    return true;
}
