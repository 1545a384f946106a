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
        // A plain character, a known escape letter, a backslash ending the text.
        {"a\\n", 0, 1, 1}, {"a\\n", 1, 2, 2}, {"\\\"", 0, 2, 2}, {"\\\\", 0, 2, 2},
        {"\\", 0, 1, 1}, {"x\\", 1, 1, 1},
        // Three octal digits at most, two hex digits at most, digits up to the end of the text.
        {"\\1011", 0, 4, 4}, {"ab\\12c", 2, 3, 3}, {"ab\\12", 2, 3, 3},
        {"\\x414", 0, 4, 4}, {"\\Xfg", 0, 3, 3}, {"\\xg", 0, 2, 2}, {"\\x", 0, 2, 2},
        // Any other character after the backslash: split, or kept with it.
        {"\\8", 0, 1, 2}, {"\\q", 0, 1, 2}, {"\\A", 0, 1, 2}, {"\\\n", 0, 1, 2},
        {std::string("\\\0", 2), 0, 1, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeUnitLength(c.text, c.at, kOtherEscapeSplits), c.splits) << c.text;
        EXPECT_EQ(EscapeUnitLength(c.text, c.at, kOtherEscapeStays), c.stays) << c.text;
    }
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


TEST(AppendZeroEscapes, AddsTwoCharactersPerByteAcrossPieces) {
    // Sixteen escapes are appended in one piece: counts on both sides of that and of twice it.
    for (size_t count : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 40u}) {
        std::string text = "ab", expected = "ab";
        AppendZeroEscapes(text, count);
        for (size_t i = 0; i < count; ++i) expected += "\\0";
        EXPECT_EQ(text, expected) << count;
    }
}

TEST(FourCharCodes, PadShortConstantsWithBlanks) {
    EXPECT_EQ(CodeFromShortText("ab"), 0x61622020u);
    EXPECT_EQ(CodeText(0x3842494Du), "8BIM");
}
