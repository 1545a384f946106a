// Lexer unit tests: tokens, numbers, strings, lines and markers, read from a temporary file.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/keywords.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "tests/unit/conversion_fixture.h"
#include "tests/unit/convert_rows.h"

namespace {

class LexerTest : public ConversionTest {
protected:
    uint32_t NumberOf(const std::string& text) {
        OpenLexer(text);
        EXPECT_EQ(NextKind(), kTokNumber) << text;
        return Token().number;
    }
    // Reads text as an include named name would be read: the live state set aside, the
    // file's first word checked, then inside() run while the file is still the one read.
    void ReadIncluded(const char* name, const std::string& text, const char* firstWord,
                      const std::function<void()>& inside = nullptr) {
        TextReader reader(text);
        CSaveLexState saved;
        StartLexFile(&reader, name);
        EXPECT_EQ(NextKind(), kTokIdentifier);
        EXPECT_STREQ(Token().identText, firstWord);
        if (inside) inside();
    }
    // Carries out the directives and enums at the start of the source, as the loop would.
    void RunStatements(int count) {
        for (int i = 0; i < count; ++i) {
            GetToken();
            if (Token().kind == kTokDirective)
                ProcessDirective([] { ADD_FAILURE() << "no include is converted here"; });
            else if (Token().kind == kTokEnum)
                ConvertEnum();
        }
    }
};

TEST_F(LexerTest, PunctuationAndSkippedCharacters) {
    OpenLexer("( ) ; : * { } - + , | < > ! $ / x = & [ ] . % 7");
    const uint32_t expected[] = {kTokOpenParen, kTokCloseParen, kTokSemicolon, kTokColon,
                                 kTokStar, kTokOpenBrace, kTokCloseBrace, kTokMinus, kTokPlus,
                                 kTokComma, kTokBar, kTokLess, kTokGreater, kTokBang, kTokDollar,
                                 kTokSlash, kTokIdentifier, kTokNumber, kTokEnd};
    for (uint32_t kind : expected) EXPECT_EQ(NextKind(), kind);
}

TEST_F(LexerTest, KeywordCaseRules) {
    OpenLexer("Filter filter Resource RESOURCE DATA Read TYPEDEF Enum INCLUDE LMHIDDEN RlPlay rlplay");
    const uint32_t expected[] = {kKwFilter, kTokIdentifier, kTokResource, kTokResource,
                                 kTokData, kTokRead, kTokCharConst, kTokEnum, kTokInclude,
                                 kKwLMHidden, kKwRlPlay, kTokIdentifier};
    for (uint32_t kind : expected) EXPECT_EQ(NextKind(), kind) << Token().identText;
}

// typedef is of the character-constant kind for the statement loop, but neither it nor include
// may pass on the code of the constant before it.
TEST_F(LexerTest, TypedefAndIncludeCarryNoCode) {
    OpenLexer("'abcd' typedef 'wxyz' TypeDef 'efgh' include");
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_TRUE(TokenIsCharConstant());
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "");
    EXPECT_FALSE(TokenIsCharConstant());
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "wxyz");
    EXPECT_TRUE(TokenIsCharConstant());
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "");
    EXPECT_FALSE(TokenIsCharConstant());
    NextKind();
    EXPECT_EQ(NextKind(), kTokInclude);
    EXPECT_STREQ(Token().shortText, "");
    EXPECT_FALSE(TokenIsCharConstant());
}

TEST_F(LexerTest, CharacterConstants) {
    OpenLexer("'PATH' 'ABCDEFG' 'a' 'x\\n' 'ab");
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "PATH");
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "ABCD");
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "a");
    EXPECT_EQ(NextKind(), kTokCharConst);
    EXPECT_STREQ(Token().shortText, "x\\n");  // no escape processing
    EXPECT_EQ(NextKind(), kTokCharConst);        // the end of input ends the constant
    EXPECT_STREQ(Token().shortText, "ab");
    EXPECT_EQ(NextKind(), kTokEnd);
}

TEST_F(LexerTest, NumberArithmeticAndPrecedence) {
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"4 * 2 + 1", 9},        {"0x10|1", 17},          {"2 + 3 * 4", 14},
        {"3 * (1 + 2)", 9},      {"2 * (1 + 2", 6},           {"10 - 2 - 3", 5},
        {"6 & 3 | 8", 10},       {"1 | 6 & 3", 3},        {"7 ^ 2 + 1", 4},
        {"10 * -2", 0u - 20u},   {"100 / 7", 14},         {"7 / -2", 0u - 3u},
        {"0 - 7 / 2", 0u - 3u},  {"4294967295 * 2", 4294967294u},
        {"0b12", 4},             {"0o19", 17},            {"0b101", 5},
        {"0xFf", 255},           {"017", 17},             {"2 * (3 + (4 - 1))", 12},
        {"2\t*\t3", 6},          {"5 + -(2 * 2)", 1},     {"5 +", 5},
        {"5 + (;", 5},           {"2 * (3 + ;", 6},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberOf(c.text), c.value) << c.text;
}

TEST_F(LexerTest, WhatEndsANumber) {
    OpenLexer("1, 2 0X10 5 + x 3 )");
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_EQ(Token().number, 1u);
    EXPECT_EQ(NextKind(), kTokComma);
    EXPECT_EQ(NextKind(), kTokNumber);  // "2 0" is not one number: blanks end at a digit
    EXPECT_EQ(Token().number, 2u);
    EXPECT_EQ(NextKind(), kTokNumber);  // 0X10 is the number 0 and the word X10
    EXPECT_EQ(Token().number, 0u);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "X10");
    EXPECT_EQ(NextKind(), kTokNumber);  // the '+' without an operand is dropped
    EXPECT_EQ(Token().number, 5u);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokNumber);  // a ')' not opened in the number ends it
    EXPECT_EQ(Token().number, 3u);
    EXPECT_EQ(NextKind(), kTokCloseParen);
}

TEST_F(LexerTest, DivisionByZeroIsFatalAndMinOverMinusOneWraps) {
    OpenLexer("7 / 0");
    testing::internal::CaptureStdout();
    EXPECT_THROW(GetToken(), FatalExit);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("error: Division by zero"),
              std::string::npos);
    EXPECT_EQ(NumberOf("0x80000000 / -1"), 0x80000000u);
}

// A byte 127 in the source reads as the end mark and ends its line, as a line end does.
TEST_F(LexerTest, EndMarkByteEndsItsLine) {
    OpenLexer("x\na\x7f b\nc\n");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokEnd);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "b");
    EXPECT_EQ(Token().line, 3);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(Token().line, 4);
}

TEST_F(LexerTest, AdjacentStringsJoinAcrossLines) {
    testing::internal::CaptureStderr();
    OpenLexer("\"Hel\"  \n\n  \"lo\"\n  next \"a\\\"b\" \"c\"x");
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "Hello");
    EXPECT_EQ(Token().line, 3);  // the line of the last literal
    EXPECT_EQ(NextKind(), kTokIdentifier);  // reading resumed at the start of line 4
    EXPECT_STREQ(Token().identText, "next");
    EXPECT_EQ(Token().line, 4);
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "a\\\"bc");  // escapes kept as written
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(LexerTest, LookAheadDoesNotHideTheNextLine) {
    OpenLexer("\"a\"\nrest of line\nz");
    EXPECT_EQ(NextKind(), kTokString);
    SkipToCharacter('\n');  // the string's line is over: nothing of line 2 is dropped
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "rest");
    SkipToCharacter('\n');
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "z");
}

TEST_F(LexerTest, EscapedStringForFileNames) {
    OpenLexer("\"C:\\\\dir\\tx\\101\\q\" rest");
    char name[kFileNameMax + 1];
    ASSERT_EQ(GetCharacter(), '"');
    EXPECT_EQ(GetString('"', name, true, kFileNameMax), 1);
    EXPECT_STREQ(name, "C:\\dir\tx" "Aq");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "rest");

    OpenLexer("\"" + std::string(300, 'n') + "\" after");
    ASSERT_EQ(GetCharacter(), '"');
    EXPECT_EQ(GetString('"', name, true, kFileNameMax), 1);
    EXPECT_EQ(std::string(name), std::string(255, 'n'));
    EXPECT_EQ(NextKind(), kTokIdentifier);
}

TEST_F(LexerTest, EscapeForms) {
    char text[kFileNameMax + 1];
    // A digit after a backslash starts three octal digits, also when the last two are no
    // digits: ((1 * 8 + ('a' - '0')) * 8 + ('b' - '0')) & 0xFF = 250.
    OpenLexer("\"\\1ab\\q\\\"x\\t\\060\"");
    ASSERT_EQ(GetCharacter(), '"');
    EXPECT_EQ(GetString('"', text, true, kFileNameMax), 1);
    EXPECT_EQ(std::string(text), std::string("\xFA" "q\"x\t0"));
    // Without escapes a backslash stays, with the character after it, which closes nothing.
    OpenLexer("\"a\\\"b\\101\"");
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "a\\\"b\\101");
}

TEST_F(LexerTest, EscapeCutByEndOfInput) {
    const char* const sources[] = {"\"ab\\", "\"ab\\1", "\"ab\\12"};
    for (const char* source : sources) {
        OpenLexer(source);
        char text[kFileNameMax + 1];
        ASSERT_EQ(GetCharacter(), '"');
        testing::internal::CaptureStderr();
        EXPECT_EQ(GetString('"', text, true, kFileNameMax), 0) << source;
        EXPECT_NE(testing::internal::GetCapturedStderr().find(
                      "error: Possible unterminated string '\"'"),
                  std::string::npos)
            << source;
        EXPECT_STREQ(text, "ab") << source;
        EXPECT_EQ(NextKind(), kTokEnd) << source;  // the end of input is left for the next token
    }
}

// Without escapes, a backslash as the very last byte takes nothing with it.
TEST_F(LexerTest, BackslashAtEndOfInput) {
    OpenLexer("x \"ab\\");
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "ab");
    EXPECT_EQ(testing::internal::GetCapturedStderr().find(
                  "src.rr(1) : error: Possible unterminated string '\"' position 7\n"),
              0u);
    EXPECT_EQ(NextKind(), kTokEnd);
}

// A string value keeps up to its 511 999th byte, and replaces what the text held before.
TEST_F(LexerTest, StringValueLimitAndReplacement) {
    // 5119 literals of 100 bytes, then one whose 100th byte would be the 512000th.
    std::string text;
    for (int i = 0; i < 5119; ++i) text += "\"" + std::string(100, 'a') + "\"\n";
    text += "\"" + std::string(98, 'b') + "cd\" }";
    OpenLexer(text);
    std::string value = "a text that held more than the new value";
    ASSERT_TRUE(GetStringValue(value));
    ASSERT_EQ(value.size(), size_t(MAXITEMSIZE - 1));
    EXPECT_EQ(value.substr(value.size() - 3), "bbc");
    EXPECT_EQ(NextKind(), kTokCloseBrace);
    for (const char* before : {"x", "a text that held more than the new value"}) {
        OpenLexer("\"ab\" \"cd\" ;");
        value = before;
        ASSERT_TRUE(GetStringValue(value));
        EXPECT_EQ(value, "abcd");
    }
}

TEST_F(LexerTest, OverlongStringIsCutAndSkipped) {
    std::string text = "\"";
    std::string line(99, 'a');
    for (int i = 0; i < 5200; ++i) text += line + "\n";  // 520 000 characters
    text += "\" next";
    OpenLexer(text);
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_EQ(std::strlen(Token().stringText), size_t(MAXITEMSIZE));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("src.rr(5121) : error: Possible unterminated string 'a' position 1\n"), 0u)
        << err.substr(0, 200);
    EXPECT_NE(err.find("Skipping to next delimeter and hoping!\n"), std::string::npos);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "next");
}

TEST_F(LexerTest, SymbolsAndEnumConstantsReplaceWords) {
    OpenLexer("#define N 5\n#define S \"text\"\n#define V\nenum { E = 3 };\n"
         "N S E V n 7 Filter undefined");
    RunStatements(4);
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_EQ(Token().number, 5u);
    EXPECT_TRUE(Token().fromWord);
    EXPECT_STREQ(Token().identText, "N");
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "text");
    EXPECT_TRUE(Token().fromWord);
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_EQ(Token().number, 3u);
    EXPECT_TRUE(Token().fromWord);
    EXPECT_EQ(NextKind(), kTokNumber);  // defined without a value
    EXPECT_EQ(Token().number, 1u);
    EXPECT_EQ(NextKind(), kTokNumber);  // symbols ignore case
    EXPECT_EQ(Token().number, 5u);
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_FALSE(Token().fromWord);
    EXPECT_EQ(NextKind(), 29u);
    EXPECT_FALSE(Token().fromWord);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_FALSE(Token().fromWord);
}

TEST_F(LexerTest, WordAfterDirectiveIsNotReplaced) {
    OpenLexer("#define N 5\n#ifdef N\n# 12\ndefine #/ x\n");
    RunStatements(1);
    EXPECT_EQ(NextKind(), kTokDirective);
    EXPECT_STREQ(Token().identText, "ifdef");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "N");
    EXPECT_EQ(NextKind(), kTokDirective);  // a '#' before no word has no name
    EXPECT_STREQ(Token().identText, "");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(NextKind(), kTokDirective);  // not even the word read before it
    EXPECT_STREQ(Token().identText, "");
}

// Markers as preprocessors write them: flag words after the name change nothing, and a
// header's markers hand back to the including file's name and line.
TEST_F(LexerTest, PreprocessorMarkersWithFlagWords) {
    OpenLexer("#line 1 \"plugin.r\"\n#line 1 \"<built-in>\"\n#line 1 \"./plugin.h\" 1\nh\n"
         "#line 20 \"/usr/include/sys.h\" 3 4\ns\n#line 3 \"plugin.r\" 2\nz\n");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "h");
    EXPECT_EQ(Token().line, 1);
    EXPECT_STREQ(CurrentFileName(), "./plugin.h");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "s");
    EXPECT_EQ(Token().line, 20);
    EXPECT_STREQ(CurrentFileName(), "/usr/include/sys.h");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "z");
    EXPECT_EQ(Token().line, 3);
    EXPECT_STREQ(CurrentFileName(), "plugin.r");
    EXPECT_EQ(NextKind(), kTokEnd);
}

TEST_F(LexerTest, UnterminatedNameInMarkerEndsAtItsLine) {
    OpenLexer("#line 5 \"abc\nx");
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(Token().line, 5);
    EXPECT_STREQ(CurrentFileName(), "abc");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("src.rr(4) : error: Possible unterminated string '\"' position 14\n"), 0u)
        << err;

    // An octal escape cut after its first digit: the name holds what came before it.
    OpenLexer("#line 5 \"a\\1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(NextKind(), kTokEnd);
    EXPECT_EQ(testing::internal::GetCapturedStderr().find(
                  "src.rr(4) : error: Possible unterminated string '\"' position 13\n"),
              0u);
    EXPECT_STREQ(CurrentFileName(), "a");
    EXPECT_EQ(CurrentLineNumber(), 5);
}

TEST_F(LexerTest, LongFileNameInMarkerIsCut) {
    OpenLexer("#line 3 \"" + std::string(300, 'f') + "\"\nx");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_EQ(std::string(CurrentFileName()), std::string(255, 'f'));
    EXPECT_EQ(Token().line, 3);
}

TEST_F(LexerTest, UngetCharacterRefusals) {
    OpenLexer("ab\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetCharacter(), 'a');
    UngetCharacter();
    UngetCharacter();  // nothing read before the start of the line
    EXPECT_EQ(GetCharacter(), 'a');
    Lex().lex.pushBackCount = MAXITEMSIZE + 1;
    UngetCharacter();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "UngetCharacter: no characters read yet: Line#    1\n"
              "UngetCharacter: can only unget 1k characters.\n");
    EXPECT_EQ(GetCharacter(), 'b');
}

TEST_F(LexerTest, UngetTokenOnlyOnce) {
    OpenLexer("a b");
    NextKind();
    UngetToken();
    EXPECT_TRUE(TokenPushedBack());
    testing::internal::CaptureStdout();
    EXPECT_THROW(UngetToken(), FatalExit);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "error: UngetToken: Can only unget one token at a time"),
              std::string::npos);
    ClearPushedBackToken();
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "b");
}

TEST_F(LexerTest, ExpressionsGroupToTheRight) {
    OpenLexer("#define N 10\nenum { A = 1, B = 4, M = 0x80000000 };\n"
         "N - N + N ; N - N * N ; A << B ; N * (3) + 1 ; x 5 ; ( y ) ; - N ; N / N | 1 ; "
         "M / - 1 ;");
    RunStatements(2);
    const int32_t expected[] = {-10, -90, 16, 40};
    for (int32_t value : expected) {
        EXPECT_EQ(GetExpression(), value);
        EXPECT_EQ(NextKind(), kTokSemicolon);
    }
    EXPECT_EQ(GetExpression(), 0);  // an undefined word ends the expression and is consumed
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(GetExpression(), 0);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(GetExpression(), -10);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(GetExpression(), 0);  // 10 / (10 | 1)
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(uint32_t(GetExpression()), 0x80000000u);  // wraps, as in numbers
}

TEST_F(LexerTest, ExpressionErrors) {
    const char* sources[] = {"1 < 2", "(1 + 2 ;", "N / 0 ;", "(N / (N - N)) ;"};
    const char* messages[] = {"Expression Too Complex!",
                              "GetExpression: Matching parantheses expected!\n",
                              "Division by zero", "Division by zero"};
    for (int i = 0; i < 4; ++i) {
        OpenLexer(std::string("enum { N = 4 };\n") + sources[i]);
        RunStatements(1);
        testing::internal::CaptureStdout();
        EXPECT_THROW(GetExpression(), FatalExit) << sources[i];
        EXPECT_NE(testing::internal::GetCapturedStdout().find(messages[i]), std::string::npos)
            << sources[i];
    }
}

TEST_F(LexerTest, DeepNestingCostsNoStack) {
    const int depth = 200000;
    std::string text = "enum { N = 1 };\nN";
    for (int i = 1; i < depth; ++i) text += "+N";
    text += " ;\n1*" + std::string(depth, '(') + "7 ;\n";
    for (int i = 0; i < depth / 2; ++i) text += "/**/";
    text += "x\n" + std::string(depth, '#') + "define";
    OpenLexer(text);
    RunStatements(1);
    EXPECT_EQ(GetExpression(), depth);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(NextKind(), kTokNumber);
    EXPECT_EQ(Token().number, 7u);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "x");
    EXPECT_EQ(NextKind(), kTokDirective);
    EXPECT_STREQ(Token().identText, "define");
}

// The newest definition of a name wins, and a symbol is defined before its value is read:
// "R + 1" sees the new R, still without a value (1), not the older r (20) or R (10).
TEST_F(LexerTest, LaterDefinitionsHideEarlierOnes) {
    OpenLexer("#define R 10\n#define r 20\n#define R R + 1\n;\n"
         "enum { A = 1 };\nenum Second { A = 4 };\nenum { a = 7 };\nR r A a");
    RunStatements(7);
    for (uint32_t expected : {2u, 2u, 4u, 7u}) {  // R, r, A, a: constants keep their case
        EXPECT_EQ(NextKind(), kTokNumber);
        EXPECT_EQ(Token().number, expected);
    }
    ASSERT_NE(FindEnumConstant("A"), nullptr);
    EXPECT_STREQ(FindEnumConstant("A")->enumName.c_str(), "Second");
    ReleaseSymbols();
    EXPECT_EQ(FindSymbol("R"), nullptr);
    EXPECT_EQ(FindEnumConstant("A"), nullptr);
}

TEST_F(LexerTest, EnumMembersAndTheirNames) {
    OpenLexer("enum { A = (1), B, C = -1, D };\nenum Named { Filter = 3, 9, G };\n"
         "enum { H = 'ab' };");
    RunStatements(2);
    const struct {
        const char* name;
        int32_t value;
    } expected[] = {{"A", 1}, {"B", 2}, {"C", -1}, {"D", 0}, {"Filter", 3}, {"G", 5}};
    for (const auto& e : expected) {
        const EnumConstant* constant = FindEnumConstant(e.name);
        ASSERT_NE(constant, nullptr) << e.name;
        EXPECT_EQ(constant->value, e.value) << e.name;
    }
    EXPECT_STREQ(FindEnumConstant("G")->enumName.c_str(), "Named");
    EXPECT_STREQ(FindEnumConstant("A")->enumName.c_str(), "anonymous");
    EXPECT_EQ(FindEnumConstant("9"), nullptr);
    EXPECT_EQ(FindEnumConstant("filter"), nullptr);  // exact names only
    EXPECT_EQ(FindEnumConstant("a"), nullptr);
    testing::internal::CaptureStdout();
    EXPECT_THROW(RunStatements(1), FatalExit);
    EXPECT_NE(testing::internal::GetCapturedStdout().find(
                  "Line #3 src.rr(3) : error: (enum) Wrong number of characters expected at "
                  "\"H\""),
              std::string::npos);
}

TEST_F(LexerTest, SavedStateComesBack) {
    OpenLexer("first\nsecond");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    const std::string inner = "inner";
    TextReader reader(inner);
    {
        CSaveLexState saved;
        StartLexFile(&reader, nullptr);
        EXPECT_STREQ(CurrentFileName(), "UNKNOWN");
        EXPECT_EQ(NextKind(), kTokIdentifier);
        EXPECT_STREQ(Token().identText, "inner");
        UngetToken();
    }
    EXPECT_FALSE(TokenPushedBack());
    EXPECT_STREQ(CurrentFileName(), "src.rr");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "second");
    EXPECT_EQ(Token().line, 2);
}

// Includes within includes each keep their own saved state, also when the memory for them is
// reused by a later include.
TEST_F(LexerTest, NestedSavedStatesComeBackInTurn) {
    OpenLexer("outer1 outer2\nouter3");
    const std::string middle = "middle1\nmiddle2\n";  // middle2 waits in the block meanwhile
    const std::string inner = "inner1\n" + std::string(64, ' ');  // more than middle holds
    EXPECT_EQ(NextKind(), kTokIdentifier);
    for (int round = 0; round < 2; ++round) {
        ReadIncluded("middle.rr", middle, "middle1", [&] {
            ReadIncluded("inner.rr", inner, "inner1");
            EXPECT_STREQ(CurrentFileName(), "middle.rr");
            EXPECT_EQ(NextKind(), kTokIdentifier);
            EXPECT_STREQ(Token().identText, "middle2");
        });
        EXPECT_STREQ(CurrentFileName(), "src.rr");
    }
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "outer2");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "outer3");
    EXPECT_EQ(Token().line, 2);
}

// A line read in place in the block is kept through an include, which reads other blocks,
// and an error on a CR LF line shows the line without its line end.
TEST_F(LexerTest, LineInPlaceSurvivesIncludeAndShowsInErrors) {
    OpenLexer("first rest\r\nsecond\n");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    ReadIncluded("other.rr", std::string(3 * kSourceBlockSize, ' ') + "inner\n", "inner");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "rest");
    EXPECT_EQ(Token().line, 1);
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "second");
    EXPECT_EQ(Token().line, 2);

    const Converted c =
        ConvertText("\r\nresource 'STR ' (kUndefined) { \"x\" };\r\nresource\r\n");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.out, "in.rr(2) : error: GetResourceID: integer expected "
                     "('resource 'STR ' (kUndefined) { \"x\" };' : 27)\n\n");
    EXPECT_EQ(c.script, "");
}

}  // namespace

// The source is read in blocks of kSourceBlockSize bytes: a CR LF pair or a line marker cut
// by a block end is still one line end and one marker.
TEST_F(LexerTest, LineEndsAndMarkersAcrossBlockEnds) {
    const std::string first(kSourceBlockSize - 1, 'a');  // the CR is the block's last byte
    const std::string pad(kSourceBlockSize - 5, ' ');  // the marker's # ends block two
    OpenLexer(first + "\r\nb\n" + pad + "\n#line 40 \"m.r\"\nc\n");
    std::string letters;
    int c;
    while ((c = GetCharacter()) == 'a') letters += char(c);
    EXPECT_EQ(letters.size(), first.size());
    EXPECT_EQ(c, '\n');
    EXPECT_EQ(GetCharacter(), 'b');
    EXPECT_EQ(CurrentLineNumber(), 2);  // CR LF folded into one line end
    while ((c = GetCharacter()) != 'c') ASSERT_NE(c, (unsigned char)kEndMark);
    EXPECT_EQ(CurrentLineNumber(), 40);
    EXPECT_STREQ(CurrentFileName(), "m.r");

    // An LF CR pair, a word and a string literal, each cut by a block end, arrive whole.
    const size_t block = kSourceBlockSize;
    OpenLexer(std::string(block - 2, ' ') + "w\n" +            // the LF is the block's last byte
              "\rnext\n" + std::string(block - 9, ' ') +      // the CR is the next block's first
              "longword" + std::string(block - 8, ' ') +      // "lon" ends block two
              "\"abcdef\"\n");                                 // "ab ends block three
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "w");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "next");
    EXPECT_EQ(Token().line, 2);  // LF CR is one line end
    EXPECT_EQ(NextKind(), kTokIdentifier);
    EXPECT_STREQ(Token().identText, "longword");
    EXPECT_EQ(NextKind(), kTokString);
    EXPECT_STREQ(Token().stringText, "abcdef");
    EXPECT_EQ(Token().line, 3);
    EXPECT_EQ(NextKind(), kTokEnd);
}
