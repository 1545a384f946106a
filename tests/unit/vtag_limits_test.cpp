// The 16-bit count and length fields of a property list: the largest fits, one more is fatal.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "driver/run.h"

namespace {

class VtagLimits : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vtaglimits.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        source_ = dir_ + "/in.rr";
        target_ = dir_ + "/out.rc";
    }
    void TearDown() override {
        remove(source_.c_str());
        remove(target_.c_str());
        rmdir(dir_.c_str());
    }
    // A list of `flags` presence-flag properties after a retired Code68K, which is not counted.
    void WriteFlagList(int flags) {
        std::ofstream out(source_);
        out << "resource 'Vtag' (16000) {\n\t{\n\t\tCode68K { },\n";
        for (int i = 0; i < flags; ++i) out << "\t\tWantsScrap { }" << (i + 1 < flags ? ",\n" : "\n");
        out << "\t}\n};\n";
    }
    // A list holding one property written as prefix, a string of `length` letters, suffix.
    void WriteStringProperty(const std::string& prefix, size_t length, const std::string& suffix) {
        std::ofstream out(source_);
        out << "resource 'Vtag' (16000) {\n\t{\n" << prefix << '"' << std::string(length, 'x') << '"'
            << suffix << "\n\t}\n};\n";
    }
    int Run(std::string& console) {
        const char* argv[] = {"propwright", source_.c_str(), target_.c_str()};
        testing::internal::CaptureStdout();
        int status = RunPropwright(3, argv);
        console = testing::internal::GetCapturedStdout();
        return status;
    }
    std::string Output() {
        std::ifstream in(target_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static bool EndsWith(const std::string& text, const std::string& tail) {
        return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
    std::string dir_, source_, target_;
};

TEST_F(VtagLimits, LargestCountIsWrittenInItsFiveCharacters) {
    WriteFlagList(65535);
    std::string console;
    ASSERT_EQ(Run(console), 0) << console;
    EXPECT_NE(Output().find("\t65535L, /* Property count */\n"), std::string::npos);
}

TEST_F(VtagLimits, CountAbove65535IsFatal) {
    WriteFlagList(65536);
    std::string console;
    ASSERT_EQ(Run(console), 1);
    // The count is checked after the closing semicolon, on the list's last line.
    EXPECT_TRUE(EndsWith(console, "in.rr(65541) : error: Property count 65536 does not fit (at most "
                                  "65535) ('};' : 2)\n\n"))
        << console;
    EXPECT_NE(console.find("Unsupported Property Code68K"), std::string::npos);
    EXPECT_NE(access(target_.c_str(), F_OK), 0);
}

// A C string of n bytes takes n + 1 + k bytes, k = 4 - ((n + 1) mod 4): 65530 gives 65532,
// while 65531 to 65534 all give 65536.
TEST_F(VtagLimits, LongestCStringFitsItsLength) {
    WriteStringProperty("Title { ", 65530, " }");
    std::string console;
    ASSERT_EQ(Run(console), 0) << console;
    EXPECT_NE(Output().find("\t65532L, /* Length */\n"), std::string::npos);
}

TEST_F(VtagLimits, CStringLengthAbove65535IsFatal) {
    WriteStringProperty("Title { ", 65531, " }");
    std::string console;
    ASSERT_EQ(Run(console), 1);
    EXPECT_NE(console.find(": error: Property length 65536 does not fit (at most 65535) ('Title"),
              std::string::npos)
        << console.substr(0, 200);
    EXPECT_NE(access(target_.c_str(), F_OK), 0);
}

// The component's length is patched after its string: 4 + 65532 fits, 4 + 65536 does not.
TEST_F(VtagLimits, ComponentLengthIsPatchedUpToTheLimit) {
    WriteStringProperty("Component { 1, ", 65526, " }");
    std::string console;
    ASSERT_EQ(Run(console), 0) << console;
    EXPECT_NE(Output().find("\t65532L, /* Length */\n"), std::string::npos);
}

TEST_F(VtagLimits, ComponentLengthAbove65535IsFatal) {
    WriteStringProperty("Component { 1, ", 65527, " }");
    std::string console;
    ASSERT_EQ(Run(console), 1);
    EXPECT_NE(console.find(": error: Property length 65536 does not fit (at most 65535) ('Component"),
              std::string::npos)
        << console.substr(0, 200);
    EXPECT_NE(access(target_.c_str(), F_OK), 0);
}

}  // namespace
