// The item writers into a script in memory: comments cut to their limits, quoted text cut
// at a zero byte, escapes that outgrow their text, and back-patching across buffer growth.
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

TEST_F(WritersTest, IndexAndLengthLinesKeepTheLengthsPlaceForPatching) {
    WriteVendorCode(FourCC("LMTR"));
    const long first = WriteIndexAndLength(0, 4);
    const long second = WriteIndexAndLength(INT32_MIN, 0);
    WriteIndexAndLength(17, 65535);
    PatchField(second, 65535, "Property length");
    PatchField(first, 12, "Property length");
    EXPECT_EQ(Finish(),
              "\t\"RTML\", /* 'LMTR' */\n"
              "\t0L, /* Index */\n"
              "\t   12L, /* Length */\n"
              "\t-2147483648L, /* Index */\n"
              "\t65535L, /* Length */\n"
              "\t17L, /* Index */\n"
              "\t65535L, /* Length */\n");
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

TEST_F(WritersTest, FieldsArePatchedAfterTheBufferHasGrown) {
    WriteBlockStart(128, "Vtag");
    const long count = WriteCountField("/* Count */");
    const long length = WriteLengthField(4, "/* Length */");
    const int kItems = 30000;   // about half a megabyte before the block ends
    std::string items;
    for (int i = 0; i < kItems; ++i) {
        WriteDecimalLong(-i, "/* Item */");
        items += "\t" + std::to_string(-i) + "L, /* Item */\n";
    }
    PatchField(count, kItems, "Count");
    PatchField(length, 65535, "Length");
    WriteBlockEnd();
    WriteBlockStart(129, "Vtag");
    const long later = WriteCountField("");
    PatchField(later, 7, "Count");
    WriteBlockEnd();
    EXPECT_EQ(Finish(),
              "128  Vtag  DISCARDABLE\nBEGIN\n"
              "\t30000, /* Count */\n"
              "\t65535L, /* Length */\n" +
                  items +
                  "END\n\n"
                  "129  Vtag  DISCARDABLE\nBEGIN\n"
                  "\t    7, \n"
                  "END\n\n");
}

TEST_F(WritersTest, NumbersKeepTheirWidthsAndSigns) {
    WriteHexLong(0, "");
    WriteHexLong(0xABCDEFu, "");
    WriteHexWord(0x12345u, "");
    WriteDecimalWord(-32768, "");
    WriteOctalByte(0x1FF, "");
    WritePaddingWord("");
    WriteBareWord(-5);
    WriteWordRun({1, -2, 32767, -32768, 5});
    WriteLineBreak();
    WritePackedHexWords("0123456789ABCDEF01");
    EXPECT_EQ(Finish(),
              "\t0000000000L, \n"
              "\t0X00ABCDEFL, \n"
              "\t0X2345, \n"
              "\t-32768, \n"
              "\t\"\\377\", \n"
              "\t    0, \n"
              "-5,\n"
              "\t1, -2, 32767, -32768, \n\t5, \n"
              "\t 0x2301, 0x6745, 0xAB89, 0xEFCD,\n");
}

