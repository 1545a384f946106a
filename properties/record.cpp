// Property record and value encodings: item writers, four-character codes, string values
// with their character conversion and zero fill, flag lists and the property braces.
#include "properties/record.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "core/diagnostics.h"
#include "core/settings.h"
#include "lexer/charsource.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

constexpr unsigned long kMaxCount = 65535;
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

long WritePropertyHeader(uint32_t key, const char* propertyName, unsigned long length) {
    CheckFieldLimit("Property length", length, kMaxCount);
    WriteFourCharCode(key, propertyName);
    WriteDecimalLong(0, "/* Index */");
    return WriteLengthField(length, "/* Length */");
}

void PatchLength(long position, unsigned long length) {
    PatchField(position, length, "Property length");
}

void WriteReservedLongs(int count) {
    char comment[32];
    for (int d = 0; d < count; ++d) {
        snprintf(comment, sizeof comment, "/* Reserved %d */", d);
        WriteDecimalLong(0, comment);
    }
}

void WriteHighLowLongs(const char* label) {
    uint32_t low = (uint32_t)GetExpression();
    ExpectComma("ParseAnimParamAtom");
    uint32_t high = (uint32_t)GetExpression();
    char comment[80] = {0};
    FormatBounded(comment, sizeof comment - 1, "/* %s high long (2) */", label);
    WriteHexLong(high, comment);
    FormatBounded(comment, sizeof comment - 1, "/* %s low long (1) */", label);
    WriteHexLong(low, comment);
}

bool GetStringValue(std::string& text) {
    const size_t limit = MAXITEMSIZE - 1;
    if (gToken.kind != kTokString) {
        GetToken();
        if (gToken.kind != kTokString) return false;
    }
    text.assign(gToken.stringText, strnlen(gToken.stringText, limit));
    for (GetToken(); gToken.kind == kTokString; GetToken())
        text.append(gToken.stringText, strnlen(gToken.stringText, limit - text.size()));
    UngetToken();
    FixupStringChars(text);
    return true;
}

// Mac Roman bytes and the double quote, as written into a Windows script.
static uint8_t ConvertedByte(uint8_t c) {
    switch (c) {
        case 0x22: case 0xD2: case 0xD3: case 0xD4: case 0xD5: return 0x27;
        case 0x88: case 0xA8: case 0xAA: return 0xAE;
        case 0x8E: return 0xE9;
        case 0xA1: return 0xB0;
        case 0xA5: return 0x2A;
        case 0xC6: return 0x64;
        case 0xD0: return 0x2D;
        default: return c;
    }
}

void FixupStringChars(std::string& text) {
    if (LanguageOption != 0) return;
    for (char& c : text) c = (char)ConvertedByte((uint8_t)c);
    size_t ellipsis = text.find('\xC9');
    if (ellipsis != std::string::npos) text.replace(ellipsis, std::string::npos, "...");
}

static bool IsOctal(char c) { return c >= '0' && c <= '7'; }

size_t EscapeUnitLength(const std::string& text, size_t i, OtherEscape other) {
    if (text[i] != '\\' || i + 1 >= text.size()) return 1;
    const char d = text[i + 1];
    size_t end = i + 2;
    if (IsOctal(d)) {
        while (end < text.size() && end < i + 4 && IsOctal(text[end])) ++end;
    } else if (d == 'x' || d == 'X') {  // up to two hex digits, and none makes a zero byte
        while (end < text.size() && end < i + 4 && isxdigit((unsigned char)text[end])) ++end;
    } else if (other == kOtherEscapeSplits && (d == '\0' || !strchr("abfnrtv\\\"", d))) {
        return 1;
    }
    return end - i;
}

unsigned long EncodedLength(const std::string& text) {
    unsigned long bytes = 0;
    for (size_t i = 0; i < text.size(); ++bytes)
        i += EscapeUnitLength(text, i, kOtherEscapeSplits);
    return bytes;
}

std::string ScriptText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {  // a literal that spanned lines; a quoted item keeps to one
            out += "\\n";
            continue;
        }
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char d = text[i + 1];
        if (IsOctal(d)) {
            // Both compilers read up to three digits; one of them refuses a value above
            // 0377, the other keeps its low byte, which is what is written then.
            size_t end = i + 1;
            unsigned value = 0;
            while (end < text.size() && end < i + 4 && IsOctal(text[end]))
                value = value * 8 + unsigned(text[end++] - '0');
            if (value > 0xFF) {
                char low[8];
                snprintf(low, sizeof low, "\\%03o", value & 0xFF);
                out += low;
            } else {
                out.append(text, i, end - i);
            }
            i = end - 1;
            continue;
        }
        // The compilers agree on "" for a quote; \b \f \v only one of them knows, \A and
        // \T only the other: those stay a backslash and a letter, as counted.
        switch (d) {
            case '"': out += "\"\""; break;
            case 'b': out += "\\010"; break;
            case 'f': out += "\\014"; break;
            case 'v': out += "\\013"; break;
            case 'A': case 'T': case '\n':
                // The backslash as a byte of its own; the character after it follows as
                // written (a line end as \n).
                out += "\\\\";
                continue;
            default: out.append(text, i, 2); break;
        }
        ++i;
    }
    return out;
}

FilledString ZeroFill(const std::string& text) {
    FilledString filled;
    filled.n = EncodedLength(text);
    unsigned long k = 4 - ((filled.n + 1) % 4);
    filled.text = text;
    for (unsigned long i = 0; i < k; ++i) filled.text += "\\0";
    filled.length = filled.n + 1 + k;
    return filled;
}

void WriteLengthPrefixedString(const FilledString& s, const char* comment) {
    CheckFieldLimit("String length", s.n, kMaxStringByte);
    WriteOutput(OutputStream, "\t\"\\%03o%s\", %s\n", (unsigned)s.n, ScriptText(s.text).c_str(),
                comment);
}

void WriteCString(const FilledString& s, const char* comment) {
    WriteOutput(OutputStream, "\t\"%s\\0\", %s\n", ScriptText(s.text).c_str(), comment);
}

bool ParseFlagList(const char* context, const char* const* names, int count, uint32_t* bits) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        GetToken();
        uint32_t bit;
        if (gToken.kind == kTokNumber)
            bit = (int32_t)gToken.number > 0;
        else if (gToken.kind == kTokIdentifier)
            bit = names[i][0] != '\0' && NamesMatchNoCase(names[i], gToken.identText);
        else
            FatalErrorIn(context, "Unsupported token");
        value = value * 2 + bit;
        GetToken();
        if (gToken.kind != kTokComma && gToken.kind != kTokCloseBrace)
            FatalErrorIn(context, "Expecting comma or close brace!");
    }
    UngetToken();
    *bits = value;
    return true;
}

void ExpectOpenBrace(const char* context) {
    GetToken();
    if (gToken.kind != kTokOpenBrace) FatalErrorIn(context, "Open brace expected");
}

void ExpectComma(const char* context) {
    GetToken();
    if (gToken.kind != kTokComma) FatalErrorIn(context, "Comma expected");
}

void ExpectPropertyEnd(const char* context) {
    GetTokenAfterMember();
    if (gToken.kind != kTokCloseBrace) FatalErrorIn(context, "Close brace expected");
}

void GetTokenAfterMember() {
    GetToken();
    if (gToken.kind == kTokComma) GetToken();
}

void ExpectResourceEnd(const char* braceContext, const char* semicolonContext) {
    ExpectPropertyEnd(braceContext);
    GetToken();
    if (gToken.kind != kTokSemicolon) FatalErrorIn(semicolonContext, "Semicolon expected");
}
