// UTF-8 source text: what is well-formed, what looks like UTF-8, and the text rewritten in each
// target code page through the platform's converter.
#include <gtest/gtest.h>

#include <string>

#include "core/textcode.h"

// Each row: bytes, the length of the sequence at their start (0: none), its character.
TEST(DecodeUtf8, TakesWellFormedSequencesOnly) {
    const struct {
        std::string bytes;
        size_t length;
        uint32_t character;
    } rows[] = {
        {"A", 1, 0x41},
        {"\xC3\xA9", 2, 0xE9},
        {"\xE2\x82\xAC", 3, 0x20AC},
        {"\xF0\x9F\x98\x80", 4, 0x1F600},
        {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"\xC0\xAF", 0, 0},            // overlong forms
        {"\xC1\xBF", 0, 0},
        {"\xE0\x9F\xBF", 0, 0},
        {"\xF0\x8F\xBF\xBF", 0, 0},
        {"\xED\xA0\x80", 0, 0},        // a surrogate
        {"\xF4\x90\x80\x80", 0, 0},    // above U+10FFFF
        {"\xF5\x80\x80\x80", 0, 0},
        {"\xA9", 0, 0},                // a continuation byte alone
        {"\xE9 ", 0, 0},               // a lead byte before a blank
        {"\xE2\x82", 0, 0},            // cut short
        {"\xE2\x82\x41", 0, 0},
    };
    for (const auto& row : rows) {
        uint32_t character = 0;
        const size_t length = DecodeUtf8(reinterpret_cast<const unsigned char*>(row.bytes.data()),
                                         row.bytes.size(), character);
        EXPECT_EQ(length, row.length) << row.bytes;
        if (length) {
            EXPECT_EQ(character, row.character) << row.bytes;
        }
    }
}

TEST(LooksLikeUtf8, WellFormedThroughoutWithAMultiByteSequence) {
    EXPECT_TRUE(LooksLikeUtf8("Caf\xC3\xA9", 5));
    EXPECT_FALSE(LooksLikeUtf8("plain", 5));
    EXPECT_FALSE(LooksLikeUtf8("Caf\x8E", 4));            // Mac Roman
    EXPECT_FALSE(LooksLikeUtf8("\xD5\x88 \xD2\xD3", 6));  // a well-formed pair among others
}

// Rows: the text, the code page, the bytes written (empty: the fault below).
TEST(RecodeUtf8, WritesEachCodePageAndNamesTheFault) {
    const struct {
        std::string text;
        int codePage;
        std::string written;
        TextFault fault;
        uint32_t what;  // the character, or the byte
    } rows[] = {
        {"Cr\xC3\xA8me \xC2\xA9 \\251", 1252, "Cr\xE8me \xA9 \\251", TextFault::kNone, 0},
        {"\xE2\x82\xAC\xE2\x80\xA6\xC5\x92", 1252, "\x80\x85\x8C", TextFault::kNone, 0},
        {"\xC2\x81", 1252, "\x81", TextFault::kNone, 0},  // as Windows maps it
        {"\xE6\x97\xA5\xE6\x9C\xAC", 932, "\x93\xFA\x96\x7B", TextFault::kNone, 0},
        {"\xE8\xA1\xA8", 932, "\x95\\\\", TextFault::kNone, 0},  // second byte 0x5C escaped
        {"\xE2\x82\xAC", 936, "\x80", TextFault::kNone, 0},
        {"\xE2\x82\xAC", 949, "\xA2\xE6", TextFault::kNone, 0},
        {"\xEA\xB0\x80", 949, "\xB0\xA1", TextFault::kNone, 0},
        {"a\xE4\xB8\xAD", 1252, "", TextFault::kUnwritable, 0x4E2D},
        {"\xE2\x82\xAC", 932, "", TextFault::kUnwritable, 0x20AC},
        {"\xF0\x9F\x98\x80", 1252, "", TextFault::kUnwritable, 0x1F600},
        {"Caf\xE9 x", 1252, "", TextFault::kMalformed, 0xE9},
        {"\xC3\xA9\xA9", 1252, "", TextFault::kMalformed, 0xA9},
        {"\xC3\xA9", 12345, "", TextFault::kNoConverter, 0xE9},  // no such code page
    };
    for (const auto& row : rows) {
        std::string text = row.text;
        TextFaultAt at;
        const bool done = RecodeUtf8(text, row.codePage, true, at);
        EXPECT_EQ(at.fault, row.fault) << row.text;
        if (done) {
            EXPECT_EQ(text, row.written) << row.text;
            continue;
        }
        EXPECT_EQ(text, row.text);  // left as it was
        EXPECT_EQ(row.fault == TextFault::kMalformed ? at.byte : at.character, row.what);
    }
    std::string constant = "\xE8\xA1\xA8";  // not escaped for a character constant
    TextFaultAt at;
    EXPECT_TRUE(RecodeUtf8(constant, 932, false, at));
    EXPECT_EQ(constant, "\x95\\");
}
