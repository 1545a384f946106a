// String values as a script carries them: escape units, encoded length, the character
// conversion of the default option and the zero fill to a four-byte boundary.
#include "emit/text.h"

#include <cctype>
#include <cstring>
#include <utility>

#include "emit/numbers.h"
#include "emit/script.h"

// Mac Roman bytes and the double quote, as written into a Windows script.
static constexpr uint8_t ConvertedByte(uint8_t c) {
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

// ConvertedByte of every byte, looked up once per character.
struct ConvertedBytes {
    uint8_t of[256];
};
static constexpr ConvertedBytes MakeConvertedBytes() {
    ConvertedBytes table{};
    for (unsigned c = 0; c < 256; ++c) table.of[c] = ConvertedByte(uint8_t(c));
    return table;
}
static constexpr ConvertedBytes kConvertedBytes = MakeConvertedBytes();

// The bytes FixupStringChars stops at: those it changes, the ellipsis, and the zero byte, which
// also stands after the text's last character.
struct StopBytes {
    bool of[256];
};
static constexpr StopBytes MakeConversionStops() {
    StopBytes table{};
    for (unsigned c = 0; c < 256; ++c)
        table.of[c] = ConvertedByte(uint8_t(c)) != c || c == 0xC9 || c == 0;
    return table;
}
static constexpr StopBytes kConversionStops = MakeConversionStops();

void FixupStringChars(std::string& text) {
    // The scan stops only at the bytes that change, at the ellipsis and at a zero byte (the
    // one after the text ends it; one inside it stays). The ellipsis is no byte's conversion:
    // the bytes before the first one are converted, and it becomes three dots that end the text.
    char* chars = &text[0];
    const size_t size = text.size();
    for (size_t i = 0;; ++i) {
        while (!kConversionStops.of[uint8_t(chars[i])]) ++i;
        if (i >= size) return;
        const uint8_t c = uint8_t(chars[i]);
        if (c == 0xC9) {
            text.replace(i, std::string::npos, "...");
            return;
        }
        chars[i] = char(kConvertedBytes.of[c]);
    }
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
    // Characters up to the next backslash are a byte each (searched with memchr directly:
    // std::string::find costs as much again around it).
    const char* const chars = text.data();
    const size_t size = text.size();
    unsigned long bytes = 0;
    size_t i = 0;
    while (i < size) {
        const void* found = memchr(chars + i, '\\', size - i);
        if (!found) return bytes + (size - i);
        const size_t escape = size_t(static_cast<const char*>(found) - chars);
        bytes += escape - i + 1;
        i = escape + EscapeUnitLength(text, escape, kOtherEscapeSplits);
    }
    return bytes;
}

// The characters that end a run of text copied as it stands: a line end, a backslash, and the
// zero byte, which also stands after the text's last character.
struct RunEnds {
    bool of[256];
};
static constexpr RunEnds MakeRunEnds() {
    RunEnds table{};
    table.of[uint8_t('\n')] = table.of[uint8_t('\\')] = table.of[0] = true;
    return table;
}
static constexpr RunEnds kRunEnds = MakeRunEnds();

// An octal escape from the backslash at text[i]: both compilers read up to three digits; one
// of them refuses a value above 0377, the other keeps its low byte, which is what is written
// then. Moves i to the escape's last digit.
static inline char* PutOctalEscape(char* at, const char* text, size_t n, size_t& i) {
    size_t end = i + 1;
    unsigned value = 0;
    while (end < n && end < i + 4 && IsOctal(text[end]))
        value = value * 8 + unsigned(text[end++] - '0');
    if (value > 0xFF) {
        *at++ = '\\';
        at = PutOctalByte(at, value & 0xFF);
    } else {  // as written: the backslash and one to three digits
        at[0] = '\\';
        at[1] = text[i + 1];
        if (end > i + 2) at[2] = text[i + 2];
        if (end > i + 3) at[3] = text[i + 3];
        at += end - i;
    }
    i = end - 1;
    return at;
}

// A backslash and d, which is no octal digit. The compilers agree on "" for a quote; \b \f \v
// only one of them knows, \A and \T only the other: those stay a backslash and a letter, as
// counted. Moves i past d, unless d is still to be written as a character of its own.
static inline char* PutOtherEscape(char* at, char d, size_t& i) {
    switch (d) {
        case '"': ++i; return PutLiteral(at, "\"\"");
        case 'b': ++i; return PutLiteral(at, "\\010");
        case 'f': ++i; return PutLiteral(at, "\\014");
        case 'v': ++i; return PutLiteral(at, "\\013");
        case 'A': case 'T': case '\n':
            // The backslash as a byte of its own; the character after it follows as
            // written (a line end as \n).
            return PutLiteral(at, "\\\\");
        default:
            ++i;
            at[0] = '\\';
            at[1] = d;
            return at + 2;
    }
}

// PutScriptText, which ends at the text's first zero byte when endAtZero.
static char* PutScriptTextUpTo(char* at, const std::string& source, bool endAtZero) {
    const char* const text = source.c_str();
    const size_t n = source.size();
    for (size_t i = 0; i < n; ++i) {
        // A run of characters that stand as they are is copied in one piece; the zero byte
        // after the text ends the last one.
        size_t run = i;
        while (!kRunEnds.of[uint8_t(text[run])]) ++run;
        if (run > i) {
            memcpy(at, text + i, run - i);
            at += run - i;
            i = run;
            if (i == n) break;
        }
        if (text[i] == '\0' && endAtZero) break;
        if (text[i] == '\n') {  // a literal that spanned lines; a quoted item keeps to one
            at = PutLiteral(at, "\\n");
            continue;
        }
        if (text[i] != '\\' || i + 1 >= n) {
            *at++ = text[i];
            continue;
        }
        const char d = text[i + 1];
        if (d == '\0' && endAtZero) {  // the backslash is the last character kept
            *at++ = '\\';
            break;
        }
        at = IsOctal(d) ? PutOctalEscape(at, text, n, i) : PutOtherEscape(at, d, i);
    }
    return at;
}

char* PutScriptText(char* at, const std::string& text) {
    return PutScriptTextUpTo(at, text, false);
}

char* PutQuotedText(char* at, const std::string& text) {
    return PutScriptTextUpTo(at, text, true);
}

std::string ScriptText(const std::string& text) {
    if (text.empty()) return std::string();
    std::string out(2 * text.size(), '\0');
    out.resize(size_t(PutScriptText(&out[0], text) - out.data()));
    return out;
}

void AppendZeroEscapes(std::string& text, size_t count) {
    static const char kZeros[] = "\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0";
    constexpr size_t kChunk = (sizeof kZeros - 1) / 2;   // escapes in one piece
    for (; count > kChunk; count -= kChunk) text.append(kZeros, 2 * kChunk);
    text.append(kZeros, 2 * count);
}

FilledString ZeroFill(std::string text) {
    FilledString filled;
    filled.n = EncodedLength(text);
    const unsigned long k = 4 - ((filled.n + 1) % 4);
    filled.text = std::move(text);
    AppendZeroEscapes(filled.text, k);
    filled.length = filled.n + 1 + k;
    return filled;
}
