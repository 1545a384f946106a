// The item writers: every number, code, string and count field of a resource block, each
// written in the one form the resource compilers read back as the intended bytes.
#include "emit/items.h"

#include <cstddef>
#include <cstring>

#include "emit/numbers.h"
#include "emit/output.h"
#include "emit/conversion.h"
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

// Room for an item line apart from its comment: the tab, the longest value (a code item of
// four escaped characters, or a number), its suffix and the line's end around the comment.
constexpr size_t kItemRoom = 48;

// An item line: the tab, what put writes at the pointer it is given, the separator, what
// putComment writes and the line end (each writer returns the end of what it wrote). The two
// may write room characters in all.
template <typename Put, typename PutComment>
static void WriteItemLine(size_t room, Put put, PutComment putComment) {
    char* at = Run().script.Claim(kItemRoom + room);
    *at++ = '\t';
    at = put(at);
    at[0] = ',';
    at[1] = ' ';
    at = putComment(at + 2);
    *at++ = '\n';
    Run().script.SetEnd(at);
}

// An item line with the comment; put may write kItemRoom characters, and extraRoom more.
template <typename Put>
static void WriteItem(ItemComment comment, size_t extraRoom, Put put) {
    WriteItemLine(extraRoom + comment.length, put, [=](char* at) {
        memcpy(at, comment.text, comment.length);
        return at + comment.length;
    });
}

template <typename Put>
static void WriteItem(ItemComment comment, Put put) {
    WriteItem(comment, 0, put);
}

// Each writer counts the bytes its item makes in the compiled resource.
static void Compiled(unsigned long bytes) {
    Run().compiledBytes += bytes;
}

unsigned long CompiledBytes() {
    return Run().compiledBytes;
}

void WriteDecimalLong(int32_t value, ItemComment comment) {
    Compiled(kLongBytes);
    WriteItem(comment, [value](char* at) {
        at = PutDecimal(at, value);
        *at++ = 'L';
        return at;
    });
}

void WriteHexLong(uint32_t value, ItemComment comment) {
    Compiled(kLongBytes);
    WriteItem(comment, [value](char* at) {
        at = PutPrefixedHex(at, value, 10);
        *at++ = 'L';
        return at;
    });
}

void WriteHexWord(uint32_t value, ItemComment comment) {
    Compiled(kWordBytes);
    WriteItem(comment, [value](char* at) { return PutPrefixedHex(at, value & 0xFFFF, 6); });
}

void WriteDecimalWord(int value, ItemComment comment) {
    Compiled(kWordBytes);
    WriteItem(comment, [value](char* at) { return PutDecimal(at, value); });
}

void WriteOctalByte(unsigned value, ItemComment comment) {
    Compiled(1);
    WriteItem(comment, [value](char* at) {
        at = PutLiteral(at, "\"\\");
        at = PutOctalByte(at, value & 0xFF);
        *at++ = '"';
        return at;
    });
}

// The bytes a code item writes as octal escapes: those that would end or break its quoted
// text.
struct EscapedBytes {
    bool of[256];
};
static constexpr EscapedBytes MakeEscapedInCode() {
    EscapedBytes table{};
    for (unsigned c = 0; c < 256; ++c) table.of[c] = c == '"' || c == '\\' || c < 0x20 || c == 0x7F;
    return table;
}
static constexpr EscapedBytes kEscapedInCode = MakeEscapedInCode();

// A code item's value: the characters lowest byte first, in quotes, with the bytes that would
// break the quoted text escaped.
static char* PutCodeValue(char* at, uint32_t code) {
    *at++ = '"';
    for (int shift = 0; shift < 32; shift += 8) {
        const uint8_t c = uint8_t(code >> shift);
        if (kEscapedInCode.of[c]) {
            *at++ = '\\';
            at = PutOctalByte(at, c);
        } else {
            *at++ = char(c);
        }
    }
    *at++ = '"';
    return at;
}

// The characters of a code in natural order, ending at a zero byte among them.
static char* PutCodeChars(char* at, uint32_t code) {
    for (int shift = 24; shift >= 0 && uint8_t(code >> shift) != 0; shift -= 8)
        *at++ = char(code >> shift);
    return at;
}

void WriteCodeItem(uint32_t code, ItemComment comment) {
    Compiled(kLongBytes);
    WriteItem(comment, [code](char* at) { return PutCodeValue(at, code); });
}

// A number of five characters, blanks first, where PatchField can put another; a long has
// the suffix L.
static long WritePatchableField(unsigned long value, bool isLong, ItemComment comment) {
    Compiled(isLong ? kLongBytes : kWordBytes);
    const long position = OutputPosition() + 1;   // after the tab
    WriteItem(comment, [=](char* at) {
        at = PutDecimalInWidth(at, (int)value, 5);
        if (isLong) *at++ = 'L';
        return at;
    });
    return position;
}

long WriteLengthField(unsigned long value, ItemComment comment) {
    return WritePatchableField(value, true, comment);
}

long WriteIndexAndLength(int32_t index, unsigned long length) {
    Compiled(2 * kLongBytes);
    static const char kAfterIndex[] = "L, /* Index */\n\t";
    static const char kAfterLength[] = "L, /* Length */\n";
    const long start = OutputPosition();
    char* const line =
        Run().script.Claim(1 + 2 * kNumberRoom + sizeof kAfterIndex + sizeof kAfterLength);
    char* at = line;
    *at++ = '\t';
    at = PutLiteral(PutDecimal(at, index), kAfterIndex);
    const long position = start + long(at - line);
    at = PutDecimalInWidth(at, (int)length, 5);
    Run().script.SetEnd(PutLiteral(at, kAfterLength));
    return position;
}

long WriteCountField(ItemComment comment) {
    return WritePatchableField(0, false, comment);
}

// A code comment is cut to this many characters.
constexpr size_t kCodeCommentMax = 79;

void WriteFourCharCode(uint32_t code, const char* text) {
    Compiled(kLongBytes);
    const size_t textLength = strlen(text);
    // "/* '", the code's characters, "' ", the text and " */".
    WriteItemLine(13 + textLength, [code](char* at) { return PutCodeValue(at, code); },
                  [=](char* comment) {
                      char* at = PutLiteral(comment, "/* '");
                      at = PutLiteral(PutCodeChars(at, code), "' ");
                      memcpy(at, text, textLength);
                      at = PutLiteral(at + textLength, " */");
                      return at - comment > ptrdiff_t(kCodeCommentMax) ? comment + kCodeCommentMax
                                                                       : at;
                  });
}

void WriteVendorCode(uint32_t vendor) {
    Compiled(kLongBytes);
    // At most twelve characters, never cut.
    WriteItemLine(12, [vendor](char* at) { return PutCodeValue(at, vendor); },
                  [vendor](char* at) {
                      at = PutCodeChars(PutLiteral(at, "/* '"), vendor);
                      return PutLiteral(at, "' */");
                  });
}

void WriteLengthPrefixedString(const FilledString& s, ItemComment comment) {
    Compiled(s.length);
    CheckFieldLimit("String length", s.n, kMaxStringByte);
    WriteItem(comment, 2 * s.text.size(), [&s](char* at) {
        at = PutLiteral(at, "\"\\");
        at = PutOctalByte(at, (unsigned)s.n);
        at = PutQuotedText(at, s.text);
        *at++ = '"';
        return at;
    });
}

void WriteCString(const FilledString& s, ItemComment comment) {
    Compiled(s.length);
    WriteItem(comment, 2 * s.text.size(), [&s](char* at) {
        *at++ = '"';
        at = PutQuotedText(at, s.text);
        return PutLiteral(at, "\\0\"");
    });
}

void WriteLineBreak() {
    Run().script.push_back('\n');
}

void WritePaddingWord(ItemComment comment) {
    WritePatchableField(0, false, comment);
}

void WriteBareWord(int value) {
    Compiled(kWordBytes);
    char* at = Run().script.Claim(kNumberRoom + 2);
    at = PutDecimal(at, value);
    Run().script.SetEnd(PutLiteral(at, ",\n"));
}

void WriteWordRun(const std::vector<int16_t>& values) {
    Compiled(kWordBytes * values.size());
    // A word takes at most six characters and its separator two, a line break two more.
    char* at = Run().script.Claim(1 + 10 * values.size());
    *at++ = '\t';
    for (size_t i = 0; i < values.size(); ++i) {
        at = PutDecimal(at, values[i]);
        at = PutLiteral(at, ", ");
        if (i % 4 == 3) at = PutLiteral(at, "\n\t");
    }
    Run().script.SetEnd(at);
}

// Each word of four characters c0 c1 c2 c3 is written in the order c2 c3 c0 c1, so that the
// compiled little-endian word holds the bytes in the order of the digits.
void WritePackedHexWords(const std::string& digits) {
    Compiled(kWordBytes * (digits.size() / 4));
    const size_t kWordsPerLine = 8;
    size_t words = digits.size() / 4;
    if (words == 0) return;
    // Eight characters a word, two for each line break, the first tab and the last line end.
    char* at = Run().script.Claim(10 * words + 2);
    *at++ = '\t';
    for (size_t w = 0; w < words; ++w) {
        if (w > 0 && w % kWordsPerLine == 0) at = PutLiteral(at, "\n\t");
        const char* g = digits.data() + 4 * w;
        const char word[] = {' ', '0', 'x', g[2], g[3], g[0], g[1], ','};
        memcpy(at, word, sizeof word);
        at += sizeof word;
    }
    *at++ = '\n';
    Run().script.SetEnd(at);
}

// A line of quoted text: the tab and the opening quote, the text, then the given ending.
template <size_t N>
static void WriteQuotedLine(const std::string& text, const char (&ending)[N]) {
    char* at = Run().script.Claim(2 + 2 * text.size() + N);
    at = PutLiteral(at, "\t\"");
    at = PutQuotedText(at, text);
    Run().script.SetEnd(PutLiteral(at, ending));
}

void WriteQuotedPiece(const std::string& text) {
    WriteQuotedLine(text, "\"\n");
}

void WriteLastQuotedPiece(const std::string& text) {
    WriteQuotedLine(text, "\\0\"\n");
}
