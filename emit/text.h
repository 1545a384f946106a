// String values as a script carries them: escape units, byte counts, conversion, zero fill.
#pragma once
#include <cstddef>
#include <string>

// Converts a string value's Mac Roman bytes to their code page 1252 bytes (for a source
// without a language option). The text is kept as it will stand in the script (escapes as
// written).
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
// Appends count escaped zero bytes ("\0" each) to text.
void AppendZeroEscapes(std::string& text, size_t count);
// A string value ready to write: n encoded bytes, text with its zero fill, value length.
struct FilledString {
    std::string text;
    unsigned long n;
    unsigned long length;
};
// Takes the text by value: a caller done with its text moves it in, and it is filled in place.
FilledString ZeroFill(std::string text);
