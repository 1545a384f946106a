// Value checks for the component, size-pair and presence-flag property keys.
#include "dump/decode.h"

namespace {

bool CheckFixedLength(size_t length, size_t expected, std::string& error) {
    if (length == expected) return true;
    error = "value of " + std::to_string(length) + " bytes, expected " + std::to_string(expected);
    return false;
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
