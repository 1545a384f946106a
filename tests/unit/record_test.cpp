// Value encodings that decide the bytes of every string item: escape-aware lengths, the
// zero fill, the character conversion and four-character codes.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "properties/record.h"

TEST(EscapeUnitLength, TakesDigitsUpToTheirLimitAndOtherEscapesByRule) {
    struct Case {
        std::string text;
        size_t at, splits, stays;
    } cases[] = {
        {"a\\n", 0, 1, 1},  // a plain character
        {"a\\n", 1, 2, 2},  // a known escape letter
        {"\\\"", 0, 2, 2},
        {"\\\\", 0, 2, 2},
        {"\\", 0, 1, 1},  // a backslash ending the text
        {"x\\", 1, 1, 1},
        {"\\1011", 0, 4, 4},  // three octal digits at most
        {"ab\\12c", 2, 3, 3},
        {"ab\\12", 2, 3, 3},  // digits up to the end of the text
        {"\\x414", 0, 4, 4},  // two hex digits at most
        {"\\Xfg", 0, 3, 3},
        {"\\xg", 0, 2, 2},  // no digit: still one unit
        {"\\x", 0, 2, 2},
        // Any other character after the backslash: split, or kept with it.
        {"\\8", 0, 1, 2},
        {"\\q", 0, 1, 2},
        {"\\A", 0, 1, 2},
        {"\\\n", 0, 1, 2},
        {std::string("\\\0", 2), 0, 1, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeUnitLength(c.text, c.at, kOtherEscapeSplits), c.splits) << c.text;
        EXPECT_EQ(EscapeUnitLength(c.text, c.at, kOtherEscapeStays), c.stays) << c.text;
    }
}

TEST(EncodedLength, CountsEscapesAsTheResourceCompilerDoes) {
    EXPECT_EQ(EncodedLength(""), 0u);
    EXPECT_EQ(EncodedLength("abc"), 3u);
    // One byte each: simple escapes, octal of one to three digits, hex of zero to two digits.
    EXPECT_EQ(EncodedLength("\\a\\n\\r\\t\\\\\\0"), 6u);
    EXPECT_EQ(EncodedLength("\\7\\12\\101"), 3u);
    EXPECT_EQ(EncodedLength("\\1011"), 2u);   // three octal digits, then the digit 1
    EXPECT_EQ(EncodedLength("\\x4\\x41"), 2u);
    EXPECT_EQ(EncodedLength("\\x414"), 2u);   // two hex digits, then the digit 4
    EXPECT_EQ(EncodedLength("\\x"), 1u);      // a lone \x is a zero byte
    EXPECT_EQ(EncodedLength("\\xg"), 2u);
    EXPECT_EQ(EncodedLength("\\X414"), 2u);  // both compilers take \X as \x
    EXPECT_EQ(EncodedLength("\\Xg"), 2u);
    EXPECT_EQ(EncodedLength("\\b\\f\\v"), 3u);
    EXPECT_EQ(EncodedLength("\\\""), 1u);
    // The backslash stays a byte of its own before anything else.
    EXPECT_EQ(EncodedLength("\\'"), 2u);
    EXPECT_EQ(EncodedLength("\\q\\8\\?"), 6u);
    EXPECT_EQ(EncodedLength("\\A\\T\\N"), 6u);
    EXPECT_EQ(EncodedLength("a\nb"), 3u);      // a line end inside a literal
    EXPECT_EQ(EncodedLength("\\\n"), 2u);
    // Runs of plain characters between escapes, and a backslash ending a run.
    EXPECT_EQ(EncodedLength("ab\\ncd\\x41ef\\q"), 10u);
    EXPECT_EQ(EncodedLength("abc\\"), 4u);
}

TEST(ScriptText, RewritesOnlyWhatTheCompilersDisagreeOn) {
    EXPECT_EQ(ScriptText("a\\\"b"), "a\"\"b");
    EXPECT_EQ(ScriptText("\\b\\f\\v"), "\\010\\014\\013");
    EXPECT_EQ(ScriptText("\\\\\\n\\'x"), "\\\\\\n\\'x");
    EXPECT_EQ(ScriptText("plain"), "plain");
    // One compiler reads \A and \T as escapes, the other keeps the backslash: kept for both.
    EXPECT_EQ(ScriptText("\\A\\T\\X41"), "\\\\A\\\\T\\X41");
    // A raw line end would end the quoted item's line; after a backslash it stays two bytes.
    EXPECT_EQ(ScriptText("a\nb\\\nc"), "a\\nb\\\\\\nc");
    // Octal values above 0377: the low byte, which is what the compiler that takes them makes.
    EXPECT_EQ(ScriptText("\\400\\777\\3770\\12\\0\\0"), "\\000\\377\\3770\\12\\0\\0");
    // A zero byte inside the text is a character like any other; a backslash ending the text
    // and a text of escapes only.
    EXPECT_EQ(ScriptText(std::string("a\0b\\n", 5)), std::string("a\0b\\n", 5));
    EXPECT_EQ(ScriptText("ab\\"), "ab\\");
    EXPECT_EQ(ScriptText("\\0\\0"), "\\0\\0");
    EXPECT_EQ(ScriptText(""), "");
}

TEST(ZeroFill, FillsToTheNextMultipleOfFourAboveTheTerminator) {
    struct Case {
        const char* text;
        unsigned long n, length;
        const char* filled;
    } cases[] = {
        {"", 0, 4, "\\0\\0\\0"},
        {"a", 1, 4, "a\\0\\0"},
        {"ab", 2, 4, "ab\\0"},
        {"abc", 3, 8, "abc\\0\\0\\0\\0"},
        {"abcd", 4, 8, "abcd\\0\\0\\0"},
        {"a\\tb", 3, 8, "a\\tb\\0\\0\\0\\0"},
    };
    for (const Case& c : cases) {
        FilledString s = ZeroFill(c.text);
        EXPECT_EQ(s.n, c.n) << c.text;
        EXPECT_EQ(s.length, c.length) << c.text;
        EXPECT_EQ(s.text, c.filled) << c.text;
    }
}

TEST(AppendZeroEscapes, AddsTwoCharactersPerByteAcrossPieces) {
    // Sixteen escapes are appended in one piece: counts on both sides of that and of twice it.
    for (size_t count : {0u, 1u, 3u, 15u, 16u, 17u, 31u, 32u, 33u, 40u}) {
        std::string text = "ab";
        AppendZeroEscapes(text, count);
        ASSERT_EQ(text.size(), 2 + 2 * count) << count;
        EXPECT_EQ(text.substr(0, 2), "ab");
        for (size_t i = 0; i < count; ++i)
            EXPECT_EQ(text.substr(2 + 2 * i, 2), "\\0") << count << " at " << i;
    }
    std::string empty;
    AppendZeroEscapes(empty, 2);
    EXPECT_EQ(empty, "\\0\\0");
}

// Each table byte converted, up to the first ellipsis, which ends the text; a zero byte inside
// stays and the bytes after it are still converted.
TEST(FixupStringChars, ConvertsEachTableByteAndCutsAtTheEllipsis) {
    const struct {
        std::string text;
        std::string expected;
    } rows[] = {
        {"", ""},
        {"\xC9\xD2", "..."},
        {"\xA5\xD0\xC9", "*-..."},
        {"\x88x\xC6", "\xAEx" "d"},
        {std::string("\xD0\0\xD2z\xC9", 5), std::string("-\0'z...", 7)},
        {"no byte here changes", "no byte here changes"},
        {"\"\xD2\xD3\xD4\xD5\x88\xA8\xAA\x8E\xA1\xA5\xC6\xD0zA", "'''''\xAE\xAE\xAE\xE9\xB0*d-zA"},
        {"Wait\xC9 more\xC9", "Wait..."},
        {"\xD2" "a\xA5\xC9\xD2\xA5", "'a*..."},  // converted up to the ellipsis, none after
    };
    for (const auto& row : rows) {
        std::string text = row.text;
        FixupStringChars(text);
        EXPECT_EQ(text, row.expected);
    }
}

TEST(FourCharCodes, PadShortConstantsWithBlanks) {
    EXPECT_EQ(FourCC("kind"), 0x6B696E64u);
    EXPECT_EQ(CodeFromShortText("8BIM"), 0x3842494Du);
    EXPECT_EQ(CodeFromShortText("ab"), 0x61622020u);
    EXPECT_EQ(CodeFromShortText(""), 0x20202020u);
    EXPECT_EQ(CodeText(0x3842494Du), "8BIM");
}
