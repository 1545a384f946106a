// The viewer text limit: a joined text of 511 999 characters is written, one more is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "driver/run.h"

namespace {

class ViewerLimit : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/viewer_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::remove((dir_ + "/in.rr").c_str());
        std::remove((dir_ + "/out.rc").c_str());
        rmdir(dir_.c_str());
    }

    // Two string symbols of the given lengths, joined in one viewer text.
    int Convert(size_t first, size_t second) {
        std::ofstream source(dir_ + "/in.rr", std::ios::binary);
        source << "#define FIRST \"" << std::string(first, 'f') << "\"\n"
               << "#define SECOND \"" << std::string(second, 's') << "\"\n"
               << "resource 'QkPn' (1) { Version3 { FIRST SECOND } };\n";
        source.close();
        const std::string in = dir_ + "/in.rr", out = dir_ + "/out.rc";
        const char* argv[] = {"propwright", in.c_str(), out.c_str(), "-x"};
        return RunPropwright(4, argv);
    }

    std::string Output() {
        std::ifstream file(dir_ + "/out.rc", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string dir_;
};

TEST_F(ViewerLimit, TextOfTheLargestSizeIsWrittenInPieces) {
    ASSERT_EQ(Convert(255999, 256000), 0);
    const std::string out = Output();
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
    testing::internal::CaptureStdout();
    int status = Convert(256000, 256000);
    std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 1);
    EXPECT_NE(console.find("ConvertQkPn: Buffer Overrun!"), std::string::npos) << console;
    EXPECT_FALSE(std::ifstream(dir_ + "/out.rc").good());
}

}  // namespace
