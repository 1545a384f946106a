// The 16-bit count and length fields of a property list: the largest fits, one more is fatal.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/conversion_fixture.h"

namespace {

// A list of `flags` presence-flag properties after a retired Code68K, which is not counted.
std::string FlagList(int flags) {
    std::string text = "resource 'Vtag' (16000) {\n\t{\n\t\tCode68K { },\n";
    for (int i = 0; i < flags; ++i) text += i + 1 < flags ? "\t\tWantsScrap { },\n" : "\t\tWantsScrap { }\n";
    return text + "\t}\n};\n";
}

// A list holding one property written as prefix, a string of `length` letters, suffix.
std::string StringProperty(const std::string& prefix, size_t length, const std::string& suffix) {
    return "resource 'Vtag' (16000) {\n\t{\n" + prefix + '"' + std::string(length, 'x') + '"' +
           suffix + "\n\t}\n};\n";
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

using VtagLimits = ConversionTest;

TEST_F(VtagLimits, LargestCountIsWrittenInItsFiveCharacters) {
    const ScriptRun c = Convert(FlagList(65535));
    ASSERT_EQ(c.status, 0) << c.out;
    EXPECT_NE(c.script.find("\t65535L, /* Property count */\n"), std::string::npos);
}

TEST_F(VtagLimits, CountAbove65535IsFatal) {
    const ScriptRun c = Convert(FlagList(65536));
    ASSERT_EQ(c.status, 1);
    // The count is checked after the closing semicolon, on the list's last line.
    EXPECT_TRUE(EndsWith(c.out, "in.rr(65541) : error: Property count 65536 does not fit (at most "
                                  "65535) ('};' : 2)\n\n"))
        << c.out;
    EXPECT_NE(c.out.find("Unsupported Property Code68K"), std::string::npos);
    EXPECT_FALSE(c.scriptLeft);
}

// A C string of n bytes takes n + 1 + k bytes, k = 4 - ((n + 1) mod 4): 65530 gives 65532,
// while 65531 to 65534 all give 65536.
TEST_F(VtagLimits, LongestCStringFitsItsLength) {
    const ScriptRun c = Convert(StringProperty("Title { ", 65530, " }"));
    ASSERT_EQ(c.status, 0) << c.out;
    EXPECT_NE(c.script.find("\t65532L, /* Length */\n"), std::string::npos);
}

TEST_F(VtagLimits, CStringLengthAbove65535IsFatal) {
    const ScriptRun c = Convert(StringProperty("Title { ", 65531, " }"));
    ASSERT_EQ(c.status, 1);
    EXPECT_NE(c.out.find(": error: Property length 65536 does not fit (at most 65535) ('Title"),
              std::string::npos)
        << c.out.substr(0, 200);
    EXPECT_FALSE(c.scriptLeft);
}

// The component's length is patched after its string: 4 + 65532 fits, 4 + 65536 does not.
TEST_F(VtagLimits, ComponentLengthIsPatchedUpToTheLimit) {
    const ScriptRun c = Convert(StringProperty("Component { 1, ", 65526, " }"));
    ASSERT_EQ(c.status, 0) << c.out;
    EXPECT_NE(c.script.find("\t65532L, /* Length */\n"), std::string::npos);
}

TEST_F(VtagLimits, ComponentLengthAbove65535IsFatal) {
    const ScriptRun c = Convert(StringProperty("Component { 1, ", 65527, " }"));
    ASSERT_EQ(c.status, 1);
    EXPECT_NE(c.out.find(": error: Property length 65536 does not fit (at most 65535) ('Component"),
              std::string::npos)
        << c.out.substr(0, 200);
    EXPECT_FALSE(c.scriptLeft);
}

}  // namespace
