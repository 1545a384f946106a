// Inputs cut at awkward places (the end of input inside a comment, a string, an escape or a
// number), string values at the length limit, and whole runs whose state or paths sit at an edge.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "lexer/charsource.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"
#include "tests/unit/conversion_fixture.h"

namespace fs = std::filesystem;

namespace {

const char kNoStringEnd[] =
    "GetString - unable to find string end within 512000 \ncharacters. Check for matching or "
    "consider increasing MAXITEMSIZE.\nSkipping to next delimeter and hoping!\n";

using InputEdges = ConversionTest;

TEST_F(InputEdges, StringValueKeepsItsLast511999thByte) {
    // 5119 literals of 100 bytes, then one whose 100th byte would be the 512000th.
    std::string text;
    for (int i = 0; i < 5119; ++i) text += "\"" + std::string(100, 'a') + "\"\n";
    text += "\"" + std::string(98, 'b') + "cd\" }";
    OpenLexer(text);
    std::string value;
    ASSERT_TRUE(GetStringValue(value));
    ASSERT_EQ(value.size(), size_t(MAXITEMSIZE - 1));
    EXPECT_EQ(value.substr(value.size() - 3), "bbc");
    EXPECT_EQ(NextKind(), kTokCloseBrace);
}

TEST_F(InputEdges, StringValueReplacesWhatTheTextHeld) {
    // Adjacent literals are joined; the text passed in, short or with storage of its own, is
    // replaced, not extended.
    for (const char* before : {"x", "a text that held more than the new value"}) {
        OpenLexer("\"ab\" \"cd\" ;");
        std::string value = before;
        ASSERT_TRUE(GetStringValue(value));
        EXPECT_EQ(value, "abcd");
        EXPECT_EQ(NextKind(), kTokSemicolon);
    }
}

TEST_F(InputEdges, EndOfInputInsideCommentsAndNumbers) {
    OpenLexer("x // a note up to the end");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokEnd);

    // The operand of '+' opens a bracket that holds nothing: the value so far stands.
    OpenLexer("5 + (;");
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_EQ(Token().number, 5u);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(NextKind(), kTokEnd);
}

TEST_F(InputEdges, EndOfInputInsideStrings) {
    // An over-long literal that never ends: one pair of warnings once the buffer is full.
    std::string text = "\"";
    for (int i = 0; i < 5200; ++i) text += std::string(99, 'a') + "\n";
    OpenLexer(text);
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_EQ(std::strlen(Token().stringText), size_t(MAXITEMSIZE));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("src.rr(5121) : error: Possible unterminated string 'a' position 1\n") +
                  kNoStringEnd);
    EXPECT_EQ(NextKind(), kTokEnd);

    // A backslash as the very last byte takes nothing with it.
    OpenLexer("x \"ab\\");
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "ab");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("src.rr(1) : error: Possible unterminated string '\"' position 7\n") +
                  kNoStringEnd);
    EXPECT_EQ(NextKind(), kTokEnd);

    // An octal escape cut after its first digit in a marker's file name: the marker still sets
    // the line, and the name holds what came before the escape.
    OpenLexer("#line 5 \"a\\1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokEnd);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("src.rr(4) : error: Possible unterminated string '\"' position 13\n") +
                  kNoStringEnd);
    EXPECT_STREQ(CurrentFileName(), "a");
    EXPECT_EQ(CurrentLineNumber(), 5);
}

// Whole runs in one process.
using RunEdges = ConversionTest;

TEST_F(RunEdges, DerivedOutputPathOverTheLimitAlthoughEachPartFits) {
    std::string directory;
    for (int i = 0; i < 20; ++i) directory += "d12345678/";  // 200 characters
    fs::create_directories(directory);
    const std::string source = "resource 'STR ' (1) { \"x\" };\n";

    // 200 + 56 + ".rc": 259 characters, the longest derived path.
    const std::string fits = directory + std::string(56, 'b');
    Write(fits + ".rr", source);
    RunResult r = Run({fits + ".rr"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("WARNING: Output file not specified. Using \"" + fits + ".rc\".\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(Read(fits + ".rc").find("\t\"x\"\n"), std::string::npos);
    fs::remove(fits + ".rc");

    // One character more in the base name: refused, and nothing is written beside it.
    const std::string over = directory + std::string(57, 'b');
    Write(over + ".rr", source);
    r = Run({over + ".rr"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Path too long"), std::string::npos) << r.out;
    EXPECT_EQ(Listing(directory), (std::vector<std::string>{std::string(56, 'b') + ".rr",
                                               std::string(57, 'b') + ".rr"}));
}

}  // namespace
