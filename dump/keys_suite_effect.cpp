// Value checks for the suite-style and effect-host property keys: fixed sizes, counted
// lists whose entries must fill the value exactly, name fields and flag ranges.
#include "dump/decode.h"

namespace {

uint32_t Long(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool Fail(std::string& error, const std::string& why) {
    error = why;
    return false;
}

bool FixedLength(size_t length, size_t expected, std::string& error) {
    if (length == expected) return true;
    return Fail(error, "value of " + std::to_string(length) + " bytes, expected " +
                           std::to_string(expected));
}

bool ZeroLong(const uint8_t* value, size_t offset, const char* field, std::string& error) {
    const uint32_t v = Long(value + offset);
    if (v == 0) return true;
    return Fail(error, std::string(field) + " at byte " + std::to_string(offset) + " is " +
                           std::to_string(v) + ", must be 0");
}

bool AtMost(uint32_t v, uint32_t limit, const char* field, std::string& error) {
    if (v <= limit) return true;
    return Fail(error, std::string(field) + " is " + std::to_string(v) + ", at most " +
                           std::to_string(limit) + " allowed");
}

// A C string with its fill inside a value: the text up to its first zero, then zeros to the
// smallest multiple of four above the text's length plus one. Returns the size taken.
bool CStringAt(const uint8_t* value, size_t length, size_t offset, size_t& size,
               std::string& error) {
    size_t n = 0;
    while (offset + n < length && value[offset + n] != 0) ++n;
    size = ((n + 1) / 4 + 1) * 4;
    if (offset + size > length)
        return Fail(error, "string of " + std::to_string(n) + " bytes at byte " +
                               std::to_string(offset) + " needs " + std::to_string(size) +
                               " bytes, only " + std::to_string(length - offset) + " remain");
    for (size_t i = offset + n; i < offset + size; ++i) {
        if (value[i] != 0)
            return Fail(error, "fill byte " + std::to_string(i) + " of the string at byte " +
                                   std::to_string(offset) + " is not zero");
    }
    return true;
}

// A 32-byte name field: at most 31 bytes of text, zeros from the first zero to the end.
bool NameField(const uint8_t* value, size_t offset, std::string& error) {
    size_t n = 0;
    while (n < 32 && value[offset + n] != 0) ++n;
    if (n > 31) return Fail(error, "name field at byte " + std::to_string(offset) + " is not ended");
    for (size_t i = n; i < 32; ++i) {
        if (value[offset + i] != 0)
            return Fail(error, "name field at byte " + std::to_string(offset) +
                                   ": byte after the name is not zero");
    }
    return true;
}

// Count, then entries that must be exactly count and fill the value.
template <typename Entry>
bool CountedList(const uint8_t* value, size_t length, std::string& error, Entry entry) {
    if (length < 8) return Fail(error, "list of " + std::to_string(length) + " bytes, at least 8");
    const uint32_t count = Long(value);
    size_t offset = 4;
    uint32_t found = 0;
    while (offset < length) {
        size_t size = 0;
        if (!entry(offset, size)) return false;
        offset += size;
        ++found;
    }
    if (found != count)
        return Fail(error, "count is " + std::to_string(count) + " but " + std::to_string(found) +
                               " entries fill the value");
    return true;
}

}  // namespace

// Version, class and event codes, terminology id, unique string, padding word.
bool CheckTerminology(const uint8_t* value, size_t length, std::string& error) {
    if (length < 20) return Fail(error, "value of " + std::to_string(length) + " bytes, at least 20");
    if (!ZeroLong(value, 0, "version", error)) return false;
    size_t size = 0;
    if (!CStringAt(value, length, 14, size, error)) return false;
    if (14 + size + 2 != length)
        return Fail(error, "unique string ends at byte " + std::to_string(14 + size) +
                               ", the padding word must end the value of " +
                               std::to_string(length) + " bytes");
    if (value[length - 2] != 0 || value[length - 1] != 0)
        return Fail(error, "padding word is not zero");
    return true;
}

// Entries of length, suite name and version; each entry's length covers the whole entry.
bool CheckSuiteList(const uint8_t* value, size_t length, std::string& error) {
    return CountedList(value, length, error, [&](size_t offset, size_t& size) {
        if (offset + 12 > length) return Fail(error, "entry at byte " + std::to_string(offset) +
                                                         " is cut off");
        const uint32_t entryLength = Long(value + offset);
        size_t name = 0;
        if (!CStringAt(value, length, offset + 4, name, error)) return false;
        if (entryLength != name + 8)
            return Fail(error, "entry at byte " + std::to_string(offset) + " states " +
                                   std::to_string(entryLength) + " bytes, holds " +
                                   std::to_string(name + 8));
        if (offset + entryLength > length)
            return Fail(error, "entry at byte " + std::to_string(offset) + " runs past the value");
        size = entryLength;
        return true;
    });
}

bool CheckKeywordList(const uint8_t* value, size_t length, std::string& error) {
    return CountedList(value, length, error, [&](size_t offset, size_t& size) {
        return CStringAt(value, length, offset, size, error);
    });
}

bool CheckMessages(const uint8_t* value, size_t length, std::string& error) {
    return FixedLength(length, 4, error) &&
           AtMost(Long(value), ListBits(kMessageFlagNames), "message flags", error);
}

bool CheckButtonIcon(const uint8_t* value, size_t length, std::string& error) {
    if (length < 20) return Fail(error, "value of " + std::to_string(length) + " bytes, at least 20");
    if (!ZeroLong(value, 0, "version", error)) return false;
    if (!AtMost(Long(value + 4), 0xFFFF, "Macintosh type", error)) return false;
    if (!AtMost(Long(value + 8), 0xFFFF, "Windows type", error)) return false;
    std::string why;
    if (CheckCString(value + 16, length - 16, why)) return true;
    return Fail(error, "caption: " + why);
}

bool CheckImportClass(const uint8_t* value, size_t length, std::string& error) {
    return FixedLength(length, 8, error) && ZeroLong(value, 0, "version", error) &&
           AtMost(Long(value + 4), 0xFFFF, "class type", error);
}

bool CheckPreviewFile(const uint8_t* value, size_t length, std::string& error) {
    if (length < 8) return Fail(error, "value of " + std::to_string(length) + " bytes, at least 8");
    if (!ZeroLong(value, 0, "version", error)) return false;
    std::string why;
    if (CheckCString(value + 4, length - 4, why)) return true;
    return Fail(error, "file name: " + why);
}

// Two words, or one long: four bytes.
bool CheckFourBytes(const uint8_t*, size_t length, std::string& error) {
    return FixedLength(length, 4, error);
}

bool CheckGlobalOutFlags(const uint8_t* value, size_t length, std::string& error) {
    return FixedLength(length, 4, error) &&
           AtMost(Long(value), ListBits(kGlobalOutFlagNames), "out flags", error);
}

// Major and minor words, flags, a reserved long and the file type.
bool CheckFormatExtension(const uint8_t* value, size_t length, std::string& error) {
    return FixedLength(length, 16, error) &&
           AtMost(Long(value + 4), ListBits(kFormatExtensionFlagNames), "flags", error) &&
           ZeroLong(value, 8, "reserved long", error);
}

bool CheckAnimFilterInfo(const uint8_t* value, size_t length, std::string& error) {
    if (!FixedLength(length, 68, error)) return false;
    if (Long(value) != 1 || Long(value + 4) != 0)
        return Fail(error, "version is not 1.0");
    if (!AtMost(Long(value + 12), ListBits(kFilterInfoFlagNames), "flags", error)) return false;
    if (!NameField(value, 20, error)) return false;
    for (size_t offset = 52; offset < 68; offset += 4) {
        if (!ZeroLong(value, offset, "reserved long", error)) return false;
    }
    return true;
}

bool CheckAnimParamAtom(const uint8_t* value, size_t length, std::string& error) {
    if (!FixedLength(length, 100, error)) return false;
    if (!NameField(value, 0, error)) return false;
    if (!AtMost(Long(value + 36), 0xFFFF, "data type", error)) return false;
    if (!AtMost(Long(value + 40), 0xFFFF, "UI type", error)) return false;
    if (!AtMost(Long(value + 76), ListBits(kParamAtomFlagNames), "flags", error)) return false;
    for (size_t offset = 84; offset < 100; offset += 4) {
        if (!ZeroLong(value, offset, "reserved long", error)) return false;
    }
    return true;
}

// Version, two corner bytes, the setup flag byte, five transition bytes, a reserved long.
bool CheckRlEffectInfo(const uint8_t* value, size_t length, std::string& error) {
    if (!FixedLength(length, 16, error)) return false;
    if (!ZeroLong(value, 0, "version", error)) return false;
    if (!AtMost(value[6], ListBits(kRlSetupFlagNames), "setup flags", error)) return false;
    for (size_t i = 7; i < 12; ++i) {
        if (!AtMost(value[i], 1, "transition flag", error)) return false;
    }
    return ZeroLong(value, 12, "reserved long", error);
}
