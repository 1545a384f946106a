// The item writers: every number, code, string and count field of a resource block, each
// written in the one form the resource compilers read back as the intended bytes.
#include "emit/items.h"

#include <cstring>

#include "emit/numbers.h"
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
static void AppendCodeChar(uint8_t c) {
    if (c == '"' || c == '\\' || c < 0x20 || c == 0x7F) {
        ScriptBuffer += '\\';
        AppendOctalByte(ScriptBuffer, c);
        return;
    }
    ScriptBuffer += (char)c;
}

// The end of an item line: the separator, the comment and the line end.
static void EndItem(const char* comment) {
    ScriptBuffer += ", ";
    ScriptBuffer += comment;
    ScriptBuffer += '\n';
}

// A quoted item's text as a C string: a zero byte in it ends it there.
static void AppendQuotedText(const std::string& text) {
    ScriptBuffer += ScriptText(text).c_str();
}

void WriteDecimalLong(int32_t value, const char* comment) {
    ScriptBuffer += '\t';
    AppendDecimal(ScriptBuffer, value);
    ScriptBuffer += 'L';
    EndItem(comment);
}

void WriteHexLong(uint32_t value, const char* comment) {
    ScriptBuffer += '\t';
    AppendPrefixedHex(ScriptBuffer, value, 10);
    ScriptBuffer += 'L';
    EndItem(comment);
}

void WriteHexWord(uint32_t value, const char* comment) {
    ScriptBuffer += '\t';
    AppendPrefixedHex(ScriptBuffer, value & 0xFFFF, 6);
    EndItem(comment);
}

void WriteDecimalWord(int value, const char* comment) {
    ScriptBuffer += '\t';
    AppendDecimal(ScriptBuffer, value);
    EndItem(comment);
}

void WriteOctalByte(unsigned value, const char* comment) {
    ScriptBuffer += "\t\"\\";
    AppendOctalByte(ScriptBuffer, value & 0xFF);
    ScriptBuffer += '"';
    EndItem(comment);
}

void WriteCodeItem(uint32_t code, const char* comment) {
    ScriptBuffer += "\t\"";
    for (int shift = 0; shift < 32; shift += 8) AppendCodeChar((code >> shift) & 0xFF);
    ScriptBuffer += '"';
    EndItem(comment);
}

// A number of five characters, blanks first, where PatchField can put another.
static long WritePatchableField(unsigned long value, const char* suffix, const char* comment) {
    ScriptBuffer += '\t';
    long position = OutputPosition();
    AppendDecimalInWidth(ScriptBuffer, (int)value, 5);
    ScriptBuffer += suffix;
    EndItem(comment);
    return position;
}

long WriteLengthField(unsigned long value, const char* comment) {
    return WritePatchableField(value, "L", comment);
}

long WriteCountField(const char* comment) {
    return WritePatchableField(0, "", comment);
}

// "/* 'code'" and the rest of the comment, the code's text ending at a zero byte, cut to
// limit characters.
static std::string CodeComment(uint32_t code, const std::string& rest, size_t limit) {
    std::string comment = "/* '";
    comment += CodeText(code).c_str();
    comment += '\'';
    comment += rest;
    if (comment.size() > limit) comment.resize(limit);
    return comment;
}

void WriteFourCharCode(uint32_t code, const char* text) {
    WriteCodeItem(code, CodeComment(code, " " + std::string(text) + " */", 79).c_str());
}

void WriteVendorCode(uint32_t vendor) {
    WriteCodeItem(vendor, CodeComment(vendor, " */", 31).c_str());
}

void WriteLengthPrefixedString(const FilledString& s, const char* comment) {
    CheckFieldLimit("String length", s.n, kMaxStringByte);
    ScriptBuffer += "\t\"\\";
    AppendOctalByte(ScriptBuffer, (unsigned)s.n);
    AppendQuotedText(s.text);
    ScriptBuffer += '"';
    EndItem(comment);
}

void WriteCString(const FilledString& s, const char* comment) {
    ScriptBuffer += "\t\"";
    AppendQuotedText(s.text);
    ScriptBuffer += "\\0\"";
    EndItem(comment);
}

void WriteLineBreak() {
    ScriptBuffer += '\n';
}

void WritePaddingWord(const char* comment) {
    WritePatchableField(0, "", comment);
}

void WriteBareWord(int value) {
    AppendDecimal(ScriptBuffer, value);
    ScriptBuffer += ",\n";
}

void WriteWordRun(const std::vector<int16_t>& values) {
    ScriptBuffer += '\t';
    for (size_t i = 0; i < values.size(); ++i) {
        AppendDecimal(ScriptBuffer, values[i]);
        ScriptBuffer += ", ";
        if (i % 4 == 3) ScriptBuffer += "\n\t";
    }
}

// Each word of four characters c0 c1 c2 c3 is written in the order c2 c3 c0 c1, so that the
// compiled little-endian word holds the bytes in the order of the digits.
void WritePackedHexWords(const std::string& digits) {
    const size_t kWordsPerLine = 8;
    size_t words = digits.size() / 4;
    if (words == 0) return;
    ScriptBuffer += '\t';
    for (size_t w = 0; w < words; ++w) {
        if (w > 0 && w % kWordsPerLine == 0) ScriptBuffer += "\n\t";
        const char* g = digits.c_str() + 4 * w;
        const char word[] = {' ', '0', 'x', g[2], g[3], g[0], g[1], ','};
        ScriptBuffer.append(word, sizeof word);
    }
    ScriptBuffer += '\n';
}

void WriteQuotedPiece(const std::string& text) {
    ScriptBuffer += "\t\"";
    AppendQuotedText(text);
    ScriptBuffer += "\"\n";
}

void WriteLastQuotedPiece(const std::string& text) {
    ScriptBuffer += "\t\"";
    AppendQuotedText(text);
    ScriptBuffer += "\\0\"\n";
}
