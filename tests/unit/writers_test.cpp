// The item writers into a script in memory: comments cut to their limits, quoted text cut
// at a zero byte, escapes that outgrow their text, and numbers cut to their items.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "emit/items.h"
#include "emit/output.h"
#include "emit/conversion.h"

namespace {

// The writers on a conversion of their own, its script kept in memory.
class WritersTest : public ::testing::Test {
protected:
    ::Conversion run_;
    ActiveContext active_{run_};
    // The script written so far.
    std::string Finish() { return std::string(run_.script.data(), run_.script.size()); }
};

}  // namespace

TEST_F(WritersTest, CodeCommentsAreCutToTheirLimitAndTheCodeTextAtAZeroByte) {
    // Ten characters before the text and three after it: 66 make 79, 67 make 80 and are cut.
    WriteFourCharCode(FourCC("abcd"), std::string(66, 'y').c_str());
    WriteFourCharCode(FourCC("abcd"), std::string(67, 'z').c_str());
    WriteFourCharCode(FourCC("kind"), std::string(100, 'x').c_str());
    WriteFourCharCode(FourCC("abcd"), "");
    WriteVendorCode(0x41420043u);  // 'A' 'B' 0 'C'
    EXPECT_EQ(Finish(),
              "\t\"dcba\", /* 'abcd' " + std::string(66, 'y') + " */\n"
              "\t\"dcba\", /* 'abcd' " + std::string(67, 'z') + " *\n"
              "\t\"dnik\", /* 'kind' " + std::string(69, 'x') + "\n"
              "\t\"dcba\", /* 'abcd'  */\n"
              "\t\"C\\000BA\", /* 'AB' */\n");
}

TEST_F(WritersTest, CodeBytesThatWouldBreakTheQuotesAreOctal) {
    // 'a', '"', '\\', tab: written lowest byte first, the last three as octal escapes.
    WriteVendorCode(0x61225C09u);
    WriteCodeItem(0x7F20417Au, "/* c */");   // DEL, blank, 'A', 'z'
    EXPECT_EQ(Finish(),
              "\t\"\\011\\134\\042a\", /* 'a\"\\\t' */\n"
              "\t\"zA \\177\", /* c */\n");
}

TEST_F(WritersTest, QuotedTextEndsAtItsFirstZeroByte) {
    FilledString withZero{std::string("ab\0cd", 5), 5, 8};
    WriteCString(withZero, "/* C */");
    // A zero byte after a backslash: the backslash is kept, the rest dropped.
    WriteQuotedPiece(std::string("x\\\0y", 4));
    FilledString escaped{"a\\bc", 3, 4};
    WriteLengthPrefixedString(escaped, "");
    EXPECT_EQ(Finish(),
              "\t\"ab\\0\", /* C */\n"
              "\t\"x\\\"\n"
              "\t\"\\003a\\010c\", \n");
}

TEST_F(WritersTest, EscapesThatDoubleTheirTextFitAcrossBufferGrowth) {
    // Each \b becomes \010 (two characters become four); several hundred kilobytes in one
    // line, so the buffer grows in the middle of an item.
    std::string text;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        text += "\\b\n";
        expected += "\\010\\n";
    }
    WriteLastQuotedPiece(text);
    EXPECT_EQ(Finish(), "\t\"" + expected + "\\0\"\n");
}

TEST_F(WritersTest, NumbersAreCutToTheirItemsAndIndexesKeepTheirSign) {
    WriteHexWord(0x12345u, "");
    WriteOctalByte(0x1FF, "");
    WriteIndexAndLength(INT32_MIN, 0);
    EXPECT_EQ(Finish(), "\t0X2345, \n\t\"\\377\", \n\t-2147483648L, /* Index */\n\t    0L, /* Length */\n");
}
