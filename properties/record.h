// Property record and value encodings: the item writers every handler and converter uses,
// string values with their conversion and zero fill, flag lists and the property braces.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Four-character codes are 32-bit values, first character in the high byte.
constexpr uint32_t FourCC(const char (&s)[5]) {
    return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
           (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}
// A character constant's code; fewer than four characters are padded with blanks.
uint32_t CodeFromShortText(const char* text);
std::string CodeText(uint32_t code);   // the four characters in natural order

// One writer per item form. The comment is written as given (may be empty).
void WriteDecimalLong(int32_t value, const char* comment);
void WriteHexLong(uint32_t value, const char* comment);
void WriteHexWord(uint32_t value, const char* comment);
void WriteDecimalWord(int value, const char* comment);
void WriteOctalByte(unsigned value, const char* comment);
void WriteCodeItem(uint32_t code, const char* comment);
// Back-patched fields: "\t" then a five-character number and the comment; each returns the
// number's position for PatchField. A length field is a long ("%5dL, "), a count field a
// word of 0 ("%5d, ").
long WriteLengthField(unsigned long value, const char* comment);
long WriteCountField(const char* comment);

void WriteFourCharCode(uint32_t code, const char* text);   // comment "/* 'code' text */"
void WriteVendorCode(uint32_t vendor);
long WritePropertyHeader(uint32_t key, const char* propertyName, unsigned long length);
void PatchLength(long position, unsigned long length);
void WriteReservedLongs(int count);
void WriteHighLowLongs(const char* label);

// String values. The text is kept as it will stand in the script (escapes as written).
bool GetStringValue(std::string& text);
void FixupStringChars(std::string& text);
// Characters of the escape unit at i: a backslash with up to three octal digits, with x or X
// and up to two hex digits, or with one of abfnrtv\" (one byte each); else one character. A
// backslash before any other character is a byte of its own under kOtherEscapeSplits (as the
// resource compiler counts); kOtherEscapeStays keeps the two together, so a cut never parts them.
enum OtherEscape { kOtherEscapeSplits, kOtherEscapeStays };
size_t EscapeUnitLength(const std::string& text, size_t i, OtherEscape other);
// Bytes the resource compiler makes of text (escapes counted as single bytes).
unsigned long EncodedLength(const std::string& text);
// Text as it goes into a quoted script item, written so that both resource compilers make the
// counted bytes of it (an escaped quote becomes a doubled quote, a line end \n).
std::string ScriptText(const std::string& text);
// A string value ready to write: n encoded bytes, text with its zero fill, value length.
struct FilledString {
    std::string text;
    unsigned long n;
    unsigned long length;
};
FilledString ZeroFill(const std::string& text);
void WriteLengthPrefixedString(const FilledString& s, const char* comment);
void WriteCString(const FilledString& s, const char* comment);

// Flag lists and the token checks. Each check reads the next token and fails under context
// with "Open brace expected", "Comma expected" or "Close brace expected".
bool ParseFlagList(const char* context, const char* const* names, int count, uint32_t* bits);
void ExpectOpenBrace(const char* context);
void ExpectComma(const char* context);
// An optional comma, then the close brace.
void ExpectPropertyEnd(const char* context);
// After a list member: an optional comma, then the token that closes the list or begins the
// next member is current.
void GetTokenAfterMember();
// The end of a resource: an optional comma, the close brace (failing under braceContext),
// then the semicolon (failing with "Semicolon expected" under semicolonContext).
void ExpectResourceEnd(const char* braceContext, const char* semicolonContext);

constexpr uint32_t kVendorLMTR = FourCC("LMTR");
constexpr uint32_t kVendorORVN = FourCC("ORVN");
constexpr uint32_t kVendorRlTn = FourCC("RlTn");
