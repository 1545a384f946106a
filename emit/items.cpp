// The item writers: every number, code, string and count field of a resource block, each
// written in the one form the resource compilers read back as the intended bytes.
#include "emit/items.h"

#include <cstdio>
#include <cstring>

#include "core/diagnostics.h"
#include "emit/output.h"
#include "emit/script.h"
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
    WriteOutput("\t%ldL, %s\n", (long)value, comment);
}

void WriteHexLong(uint32_t value, const char* comment) {
    WriteOutput("\t%#010lXL, %s\n", (unsigned long)value, comment);
}

void WriteHexWord(uint32_t value, const char* comment) {
    WriteOutput("\t%#06lX, %s\n", (unsigned long)(value & 0xFFFF), comment);
}

void WriteDecimalWord(int value, const char* comment) {
    WriteOutput("\t%d, %s\n", value, comment);
}

void WriteOctalByte(unsigned value, const char* comment) {
    WriteOutput("\t\"\\%03o\", %s\n", value & 0xFF, comment);
}

void WriteCodeItem(uint32_t code, const char* comment) {
    std::string reversed;
    for (int shift = 0; shift < 32; shift += 8) reversed += CodeCharItem((code >> shift) & 0xFF);
    WriteOutput("\t\"%s\", %s\n", reversed.c_str(), comment);
}

static long WritePatchableField(unsigned long value, const char* suffix, const char* comment) {
    WriteOutput("\t");
    long position = OutputPosition();
    WriteOutput("%5d%s, %s\n", (int)value, suffix, comment);
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
    WriteOutput("\t\"\\%03o%s\", %s\n", (unsigned)s.n, ScriptText(s.text).c_str(),
                comment);
}

void WriteCString(const FilledString& s, const char* comment) {
    WriteOutput("\t\"%s\\0\", %s\n", ScriptText(s.text).c_str(), comment);
}

void WriteLineBreak() {
    WriteOutput("\n");
}

void WritePaddingWord(const char* comment) {
    WriteOutput("\t%5d, %s\n", 0, comment);
}

void WriteBareWord(int value) {
    WriteOutput("%d,\n", value);
}

void WriteWordRun(const std::vector<int16_t>& values) {
    WriteOutput("\t");
    for (size_t i = 0; i < values.size(); ++i) {
        WriteOutput("%d, ", int(values[i]));
        if (i % 4 == 3) WriteOutput("\n\t");
    }
}

// Each word of four characters c0 c1 c2 c3 is written in the order c2 c3 c0 c1, so that the
// compiled little-endian word holds the bytes in the order of the digits.
void WritePackedHexWords(const std::string& digits) {
    const size_t kWordsPerLine = 8;
    size_t words = digits.size() / 4;
    if (words == 0) return;
    WriteOutput("\t");
    for (size_t w = 0; w < words; ++w) {
        if (w > 0 && w % kWordsPerLine == 0) WriteOutput("\n\t");
        const char* g = digits.c_str() + 4 * w;
        WriteOutput(" 0x%c%c%c%c,", g[2], g[3], g[0], g[1]);
    }
    WriteOutput("\n");
}

void WriteQuotedPiece(const std::string& text) {
    WriteOutput("\t\"%s\"\n", ScriptText(text).c_str());
}

void WriteLastQuotedPiece(const std::string& text) {
    WriteOutput("\t\"%s\\0\"\n", ScriptText(text).c_str());
}
