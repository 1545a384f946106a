// Inputs cut at awkward places (the end of input inside a comment, a string, an escape or a
// number), string values at the length limit, and whole runs whose state or paths sit at an edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/settings.h"
#include "driver/run.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace fs = std::filesystem;

namespace {

const char kNoStringEnd[] =
    "GetString - unable to find string end within 512000 \ncharacters. Check for matching or "
    "consider increasing MAXITEMSIZE.\nSkipping to next delimeter and hoping!\n";

std::string TempPath(const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + "propwright_edges_" + test->test_suite_name() + "_" +
           test->name() + "_" + name;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class InputEdges : public ::testing::Test {
protected:
    void Open(const std::string& text) {
        path_ = TempPath("source.rr");
        WriteFile(path_, text);
        stream_ = std::fopen(path_.c_str(), "rb");
        ASSERT_NE(stream_, nullptr);
        ResetSettings();
        ResetCharSource();
        ResetTokenizer();
        ResetSymbols();
        ResetDirectives();
        InstallCharHandlers();
        StartLexFile(stream_, "src.rr");
    }
    void TearDown() override {
        if (stream_) std::fclose(stream_);
        std::remove(path_.c_str());
    }
    uint32_t Next() {
        GetToken();
        return gToken.kind;
    }

    FILE* stream_ = nullptr;
    std::string path_;
};

TEST_F(InputEdges, StringValueKeepsItsLast511999thByte) {
    // 5119 literals of 100 bytes, then one whose 100th byte would be the 512000th.
    std::string text;
    for (int i = 0; i < 5119; ++i) text += "\"" + std::string(100, 'a') + "\"\n";
    text += "\"" + std::string(98, 'b') + "cd\" }";
    Open(text);
    std::string value;
    ASSERT_TRUE(GetStringValue(value));
    ASSERT_EQ(value.size(), size_t(MAXITEMSIZE - 1));
    EXPECT_EQ(value.substr(value.size() - 3), "bbc");
    EXPECT_EQ(Next(), kTokCloseBrace);
}

TEST_F(InputEdges, EndOfInputInsideCommentsAndNumbers) {
    Open("x // a note up to the end");
    EXPECT_EQ(Next(), kTokIdentifier);
    EXPECT_EQ(Next(), kTokEnd);

    // The operand of '+' opens a bracket that holds nothing: the value so far stands.
    Open("5 + (;");
    EXPECT_EQ(Next(), kTokNumber);
    EXPECT_EQ(gToken.number, 5u);
    EXPECT_EQ(Next(), kTokSemicolon);
    EXPECT_EQ(Next(), kTokEnd);
}

TEST_F(InputEdges, EndOfInputInsideStrings) {
    // An over-long literal that never ends: one pair of warnings once the buffer is full.
    std::string text = "\"";
    for (int i = 0; i < 5200; ++i) text += std::string(99, 'a') + "\n";
    Open(text);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Next(), kTokString);
    EXPECT_EQ(std::strlen(gToken.stringText), size_t(MAXITEMSIZE));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("src.rr(5121) : error: Possible unterminated string 'a' position 1\n") +
                  kNoStringEnd);
    EXPECT_EQ(Next(), kTokEnd);

    // A backslash as the very last byte takes nothing with it.
    Open("x \"ab\\");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Next(), kTokIdentifier);
    EXPECT_EQ(Next(), kTokString);
    EXPECT_STREQ(gToken.stringText, "ab");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("src.rr(1) : error: Possible unterminated string '\"' position 7\n") +
                  kNoStringEnd);
    EXPECT_EQ(Next(), kTokEnd);

    // An octal escape cut after its first digit in a marker's file name: the marker still sets
    // the line, and the name holds what came before the escape.
    Open("#line 5 \"a\\1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Next(), kTokEnd);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("src.rr(4) : error: Possible unterminated string '\"' position 13\n") +
                  kNoStringEnd);
    EXPECT_STREQ(CurrentFileName(), "a");
    EXPECT_EQ(CurrentLineNumber(), 5);
}

// Whole runs in one process, in a directory of their own.
class RunEdges : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(TempPath("dir"));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        previous_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    static int Run(std::vector<std::string> args, std::string* out = nullptr) {
        args.insert(args.begin(), "propwright");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = RunPropwright(int(args.size()), argv.data());
        const std::string console = testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        if (out) *out = console;
        return status;
    }

    fs::path dir_;
    fs::path previous_;
};

TEST_F(RunEdges, CharacterConstantOfOneRunIsGoneInTheNext) {
    WriteFile("first.rr", "enum { A = 'wxyz' };\n");
    WriteFile("second.rr", "#define B 2\n");
    ASSERT_EQ(Run({"first.rr", "out.rc"}), 0);
    ASSERT_STREQ(gToken.shortText, "wxyz");  // what the next run must not start with
    ASSERT_EQ(Run({"second.rr", "out.rc"}), 0);
    EXPECT_STREQ(gToken.shortText, "");
}

TEST_F(RunEdges, DerivedOutputPathOverTheLimitAlthoughEachPartFits) {
    std::string directory;
    for (int i = 0; i < 20; ++i) directory += "d12345678/";  // 200 characters
    fs::create_directories(directory);
    const std::string source = "resource 'STR ' (1) { \"x\" };\n";

    // 200 + 56 + ".rc": 259 characters, the longest derived path.
    const std::string fits = directory + std::string(56, 'b');
    WriteFile(fits + ".rr", source);
    std::string out;
    EXPECT_EQ(Run({fits + ".rr"}, &out), 0);
    EXPECT_NE(out.find("WARNING: Output file not specified. Using \"" + fits + ".rc\".\n"),
              std::string::npos)
        << out;
    EXPECT_NE(ReadFile(fits + ".rc").find("\t\"x\"\n"), std::string::npos);
    fs::remove(fits + ".rc");

    // One character more in the base name: refused, and nothing is written beside it.
    const std::string over = directory + std::string(57, 'b');
    WriteFile(over + ".rr", source);
    EXPECT_EQ(Run({over + ".rr"}, &out), 1);
    EXPECT_NE(out.find("Path too long"), std::string::npos) << out;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{std::string(56, 'b') + ".rr",
                                               std::string(57, 'b') + ".rr"}));
}

}  // namespace
