// The viewer text limit: a joined text of 511 999 characters is written, one more is refused.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/conversion_fixture.h"

namespace {

// Two string symbols of the given lengths, joined in one viewer text.
ScriptRun ConvertJoined(size_t first, size_t second) {
    return ConversionTest::Convert("#define FIRST \"" + std::string(first, 'f') + "\"\n" +
                                   "#define SECOND \"" + std::string(second, 's') + "\"\n" +
                                   "resource 'QkPn' (1) { Version3 { FIRST SECOND } };\n",
                                   {"-x"});
}

using ViewerLimit = ConversionTest;

TEST_F(ViewerLimit, TextOfTheLargestSizeIsWrittenInPieces) {
    const ScriptRun c = ConvertJoined(255999, 256000);
    ASSERT_EQ(c.status, 0) << c.out;
    const std::string& out = c.script;
    // 511 999 = 7314 * 70 + 19: 7314 full lines, then 19 characters with the zero escape.
    const std::string head = "1  QkPn  DISCARDABLE\nBEGIN\n-3,\n";
    size_t at = out.find(head);
    ASSERT_NE(at, std::string::npos);
    at += head.size();
    size_t lines = 0, fs = 0, ss = 0;
    for (;;) {
        size_t end = out.find('\n', at);
        ASSERT_NE(end, std::string::npos);
        std::string line = out.substr(at, end - at);
        at = end + 1;
        if (line == "END") break;
        ++lines;
        ASSERT_GE(line.size(), 3u);
        ASSERT_EQ(line.substr(0, 2), "\t\"");
        ASSERT_EQ(line.back(), '"');
        std::string piece = line.substr(2, line.size() - 3);
        if (lines <= 7314) {
            ASSERT_EQ(piece.size(), 70u) << "line " << lines;
        } else {
            ASSERT_EQ(piece, std::string(19, 's') + "\\0");
            piece.resize(19);
        }
        for (char c : piece) (c == 'f' ? fs : ss) += 1;
    }
    EXPECT_EQ(lines, 7315u);
    EXPECT_EQ(fs, 255999u);
    EXPECT_EQ(ss, 256000u);
}

TEST_F(ViewerLimit, OneCharacterMoreIsABufferOverrun) {
    const ScriptRun c = ConvertJoined(256000, 256000);
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.out.find("ConvertQkPn: Buffer Overrun!"), std::string::npos) << c.out;
    EXPECT_FALSE(c.scriptLeft);
}

}  // namespace
