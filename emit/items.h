// The item writers: one per item form; every byte of a resource block goes through them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "emit/text.h"
#include "formats/codes.h"

// A character constant's code; fewer than four characters are padded with blanks.
uint32_t CodeFromShortText(const char* text);
std::string CodeText(uint32_t code);   // the four characters in natural order

// The compiled size of a long and of a word item: the numbers the writers count, for a
// length that must be known before the items it counts are written.
constexpr unsigned long kLongBytes = 4;
constexpr unsigned long kWordBytes = 2;

// An item's comment, written as given (may be empty), with its length. The length is counted
// where the comment is passed, in line, so that a literal's is known when compiling.
struct ItemComment {
    const char* text;
    size_t length;
    ItemComment(const char* comment) : text(comment), length(strlen(comment)) {}
    ItemComment(const char* comment, size_t commentLength)
        : text(comment), length(commentLength) {}
};

void WriteDecimalLong(int32_t value, ItemComment comment);
void WriteHexLong(uint32_t value, ItemComment comment);
void WriteHexWord(uint32_t value, ItemComment comment);
void WriteDecimalWord(int value, ItemComment comment);
void WriteOctalByte(unsigned value, ItemComment comment);
void WriteCodeItem(uint32_t code, ItemComment comment);
// Back-patched fields: "\t" then a five-character number and the comment; each returns the
// number's position for PatchField. A length field is a long ("%5dL, "), a count field a
// word of 0 ("%5d, ").
long WriteLengthField(unsigned long value, ItemComment comment);
// A property record's index and length lines: "index" as a decimal long with the comment
// "/* Index */", then the length field with "/* Length */"; returns the length's position.
long WriteIndexAndLength(int32_t index, unsigned long length);
long WriteCountField(ItemComment comment);

void WriteFourCharCode(uint32_t code, const char* text);   // comment "/* 'code' text */"
void WriteVendorCode(uint32_t vendor);   // comment "/* 'code' */"
void WriteLengthPrefixedString(const FilledString& s, ItemComment comment);
void WriteCString(const FilledString& s, ItemComment comment);

// Ends the current line of items.
void WriteLineBreak();
// A word of 0 in the five-character form of a count field, never patched.
void WritePaddingWord(ItemComment comment);
// A bare word at the start of a line: "value,".
void WriteBareWord(int value);
// A run of words, four to a line; the last line is left open, for the caller to end.
void WriteWordRun(const std::vector<int16_t>& values);
// Hex digits as words of four digits, eight words to a line; digits after the last full
// word are dropped, and fewer than four write nothing.
void WritePackedHexWords(const std::string& digits);
// The bytes the resource compiler makes of the items written so far in this run: every
// writer above counts its item's bytes; the quoted pieces below are not counted (they make
// string-table and Pate texts, whose blocks carry no length), nor is the line break.
unsigned long CompiledBytes();

// A line holding one quoted piece of text (escapes as written), and the last piece of a
// text, which carries the terminating zero (an empty last piece is the zero alone).
void WriteQuotedPiece(const std::string& text);
void WriteLastQuotedPiece(const std::string& text);
