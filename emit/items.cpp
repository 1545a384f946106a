// The item writers: every number, code, string and count field of a resource block, each
// written in the one form the resource compilers read back as the intended bytes.
#include "emit/items.h"

#include <cstdio>
#include <cstring>

#include "core/diagnostics.h"
#include "emit/output.h"
#include "emit/text.h"

constexpr unsigned long kMaxStringByte = 255;

uint32_t CodeFromShortText(const char* text) {
    uint32_t code = 0;
    size_t length = strlen(text);
    for (size_t i = 0; i < 4; ++i)
        code = (code << 8) | (i < length ? (uint8_t)text[i] : (uint8_t)' ');
    return code;
}

std::string CodeText(uint32_t code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) text[i] = (char)((code >> (24 - 8 * i)) & 0xFF);
    return text;
}

// One character of a quoted code item; bytes that would break the quoted text are escaped.
static std::string CodeCharItem(uint8_t c) {
    if (c == '"' || c == '\\' || c < 0x20 || c == 0x7F) {
        char escaped[8];
        snprintf(escaped, sizeof escaped, "\\%03o", c);
        return escaped;
    }
    return std::string(1, (char)c);
}

void WriteDecimalLong(int32_t value, const char* comment) {
    WriteOutput(OutputStream, "\t%ldL, %s\n", (long)value, comment);
}

void WriteHexLong(uint32_t value, const char* comment) {
    WriteOutput(OutputStream, "\t%#010lXL, %s\n", (unsigned long)value, comment);
}

void WriteHexWord(uint32_t value, const char* comment) {
    WriteOutput(OutputStream, "\t%#06lX, %s\n", (unsigned long)(value & 0xFFFF), comment);
}

void WriteDecimalWord(int value, const char* comment) {
    WriteOutput(OutputStream, "\t%d, %s\n", value, comment);
}

void WriteOctalByte(unsigned value, const char* comment) {
    WriteOutput(OutputStream, "\t\"\\%03o\", %s\n", value & 0xFF, comment);
}

void WriteCodeItem(uint32_t code, const char* comment) {
    std::string reversed;
    for (int shift = 0; shift < 32; shift += 8) reversed += CodeCharItem((code >> shift) & 0xFF);
    WriteOutput(OutputStream, "\t\"%s\", %s\n", reversed.c_str(), comment);
}

static long WritePatchableField(unsigned long value, const char* suffix, const char* comment) {
    WriteOutput(OutputStream, "\t");
    long position = OutputPosition();
    WriteOutput(OutputStream, "%5d%s, %s\n", (int)value, suffix, comment);
    return position;
}

long WriteLengthField(unsigned long value, const char* comment) {
    return WritePatchableField(value, "L", comment);
}

long WriteCountField(const char* comment) {
    return WritePatchableField(0, "", comment);
}

void WriteFourCharCode(uint32_t code, const char* text) {
    char comment[80] = {0};
    FormatBounded(comment, sizeof comment - 1, "/* '%s' %s */", CodeText(code).c_str(), text);
    WriteCodeItem(code, comment);
}

void WriteVendorCode(uint32_t vendor) {
    char comment[32] = {0};
    FormatBounded(comment, sizeof comment - 1, "/* '%s' */", CodeText(vendor).c_str());
    WriteCodeItem(vendor, comment);
}

void WriteLengthPrefixedString(const FilledString& s, const char* comment) {
    CheckFieldLimit("String length", s.n, kMaxStringByte);
    WriteOutput(OutputStream, "\t\"\\%03o%s\", %s\n", (unsigned)s.n, ScriptText(s.text).c_str(),
                comment);
}

void WriteCString(const FilledString& s, const char* comment) {
    WriteOutput(OutputStream, "\t\"%s\\0\", %s\n", ScriptText(s.text).c_str(), comment);
}
