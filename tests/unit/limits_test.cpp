// Size limits: the 16-bit count and length fields of a property list, and the viewer text.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/convert_rows.h"

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

// The largest count or length fits; one more is fatal and leaves no script. A C string of n
// bytes takes n + 1 + k bytes, k = 4 - ((n + 1) mod 4): 65530 gives 65532, 65531 gives 65536;
// a component's length is 4 more than its string's.
TEST(VtagLimits, LargestFitsOneMoreIsFatal) {
    const struct {
        std::string source;
        const char* expected;  // in the script, or on the console when the run fails
    } rows[] = {
        {FlagList(65535), "\t65535L, /* Property count */\n"},
        // The count is checked after the closing semicolon, on the list's last line.
        {FlagList(65536), "in.rr(65541) : error: Property count 65536 does not fit (at most "
                          "65535) ('};' : 2)\n\n"},
        {StringProperty("Title { ", 65530, " }"), "\t65532L, /* Length */\n"},
        {StringProperty("Title { ", 65531, " }"),
         ": error: Property length 65536 does not fit (at most 65535) ('Title"},
        {StringProperty("Component { 1, ", 65526, " }"), "\t65532L, /* Length */\n"},
        {StringProperty("Component { 1, ", 65527, " }"),
         ": error: Property length 65536 does not fit (at most 65535) ('Component"},
    };
    for (const auto& row : rows) {
        const Converted c = ConvertText(row.source);
        const bool fits = std::string(row.expected).find("error") == std::string::npos;
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(c.status, fits ? 0 : 1) << c.out.substr(0, 300);
        EXPECT_NE((fits ? c.script : c.out).find(row.expected), std::string::npos);
        if (!fits) { EXPECT_EQ(c.script, ""); }
    }
}

// Two string symbols of the given lengths, joined in one viewer text.
Converted ConvertJoined(size_t first, size_t second) {
    Settings settings;
    settings.buildQkPn = true;
    return ConvertText("#define FIRST \"" + std::string(first, 'f') + "\"\n" +
                           "#define SECOND \"" + std::string(second, 's') + "\"\n" +
                           "resource 'QkPn' (1) { Version3 { FIRST SECOND } };\n",
                       settings);
}

// A joined text of 511 999 characters is written in lines of 70, the last with the zero
// escape; one character more is a buffer overrun.
TEST(ViewerLimit, LargestTextIsWrittenInPiecesOneMoreIsRefused) {
    const std::string text = std::string(255999, 'f') + std::string(256000, 's');
    std::string script = std::string(kScriptStart) + "1  QkPn  DISCARDABLE\nBEGIN\n-3,\n";
    for (size_t at = 0; at < text.size(); at += 70)
        script += "\t\"" + text.substr(at, 70) + (at + 70 >= text.size() ? "\\0" : "") + "\"\n";
    script += "END\n\n";
    const Converted c = ConvertJoined(255999, 256000);
    EXPECT_EQ(c.status, 0) << c.out;
    EXPECT_TRUE(c.script == script) << "scripts differ";

    const Converted over = ConvertJoined(256000, 256000);
    EXPECT_EQ(over.status, 1);
    EXPECT_NE(over.out.find("ConvertQkPn: Buffer Overrun!"), std::string::npos) << over.out;
    EXPECT_EQ(over.script, "");
}

}  // namespace
