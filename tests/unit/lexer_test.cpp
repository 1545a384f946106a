// Lexer unit tests: tokens, numbers, strings, lines and markers, read from text in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "tests/unit/conversion_fixture.h"
#include "tests/unit/convert_rows.h"

namespace {

class LexerTest : public ConversionTest {
protected:
    // The tokens up to the end as text: words bare, keywords as =word, numbers as #n, strings
    // in double quotes, constants in single ones, directives as #word, punctuation as itself;
    // ~word marks a token that came from a word. "n:" comes before a token on another line than
    // the one before, "[file]" before one in another file; the end token shows only these.
    static std::string Tokens() {
        static const char punctuation[] = ",:;?{}?><+-*/()$!|";  // kinds kTokComma to kTokBar
        std::string all, file = CurrentFileName();
        int line = 1;
        for (;;) {
            GetToken();
            const TokenRecord& t = Token();
            std::string place;
            if (file != CurrentFileName()) place += "[" + (file = CurrentFileName()) + "]";
            if (line != t.line) place += std::to_string(line = t.line) + ":";
            if (!all.empty() && (t.kind != kTokEnd || !place.empty())) all += ' ';
            all += place;
            if (t.kind == kTokEnd) return all;
            if (t.kind == kTokIdentifier) all += t.identText;
            else if (t.kind == kTokNumber) all += "#" + std::to_string(t.number);
            else if (t.kind == kTokString) all += "\"" + std::string(t.stringText) + "\"";
            else if (t.kind == kTokCharConst) all += "'" + std::string(t.shortText) + "'";
            else if (t.kind == kTokDirective) all += "#" + std::string(t.identText);
            else if (t.kind >= kTokComma && t.kind <= kTokBar) all += punctuation[t.kind - kTokComma];
            else all += "=" + std::string(t.identText);
            if (t.fromWord) all += "~" + std::string(t.identText);
        }
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

TEST_F(LexerTest, TokenRows) {
    const size_t block = kSourceBlockSize;
    const struct {
        std::string source;
        int statements;  // directives and enums carried out first
        std::string tokens;
        std::string errorStart;  // what the error output starts with
    } rows[] = {
        {"( ) ; : * { } - + , | < > ! $ / x = & [ ] . % 7", 0,
         "( ) ; : * { } - + , | < > ! $ / x #7", ""},
        {"Filter filter Resource RESOURCE DATA Read TYPEDEF Enum INCLUDE LMHIDDEN RlPlay rlplay", 0,
         "=Filter filter =Resource =RESOURCE =DATA =Read ''~TYPEDEF =Enum =INCLUDE =LMHIDDEN =RlPlay "
         "rlplay", ""},
        // typedef is of the constant kind for the statement loop, but carries no code.
        {"'abcd' typedef 'wxyz' TypeDef 'efgh' include", 0,
         "'abcd' ''~typedef 'wxyz' ''~TypeDef 'efgh' =include", ""},
        // No escapes in constants; the end of input ends one.
        {"'PATH' 'ABCDEFG' 'a' 'x\\n' 'ab", 0, "'PATH' 'ABCD' 'a' 'x\\n' 'ab'", ""},
        // Blanks end a number before a digit; 0X10 is 0 and a word; a '+' without an operand
        // is dropped; a ')' not opened in the number ends it.
        {"1, 2 0X10 5 + x 3 )", 0, "#1 , #2 #0 X10 #5 x #3 )", ""},
        // Adjacent literals join across lines, on the last one's line; escapes kept as written.
        {"\"Hel\"  \n\n  \"lo\"\n  next \"a\\\"b\" \"c\"x", 0, "3:\"Hello\" 4:next \"a\\\"bc\" x",
         ""},
        // Without escapes, a backslash as the very last byte takes nothing with it.
        {"x \"ab\\", 0, "x \"ab\"", "src.rr(1) : error: Possible unterminated string '\"' position 7\n"},
        // Defined names (any case) and enum constants become their values.
        {"#define N 5\n#define S \"text\"\n#define V\nenum { E = 3 };\nN S E V n 7 Filter undefined",
         4, "5:#5~N \"text\"~S #3~E #1~V #5~n #7 =Filter undefined", ""},
        // The word after '#' is not replaced; '#' before no word has no name, not even the
        // word read before it.
        {"#define N 5\n#ifdef N\n# 12\ndefine #/ x\n", 1, "2:#ifdef N 3:# 4:define # x 5:", ""},
        // Flag words after a marker's name change nothing; a header hands back to its includer.
        {"#line 1 \"plugin.r\"\n#line 1 \"<built-in>\"\n#line 1 \"./plugin.h\" 1\nh\n"
         "#line 20 \"/usr/include/sys.h\" 3 4\ns\n#line 3 \"plugin.r\" 2\nz\n",
         0, "[./plugin.h]h [/usr/include/sys.h]20:s [plugin.r]3:z 4:", ""},
        // An unterminated name in a marker ends at its line, or before a cut octal escape.
        {"#line 5 \"abc\nx", 0, "[abc]5:x",
         "src.rr(4) : error: Possible unterminated string '\"' position 14\n"},
        {"#line 5 \"a\\1", 0, "[a]5:", "src.rr(4) : error: Possible unterminated string '\"' position 13\n"},
        {"#line 3 \"" + std::string(300, 'f') + "\"\nx", 0, "[" + std::string(255, 'f') + "]3:x",
         ""},
        // The source is read in blocks: a CR LF pair cut by a block end is one line end, and a
        // marker whose '#' ends block two is still a marker.
        {std::string(block - 1, ' ') + "\r\nb\n" + std::string(block - 5, ' ') +
             "\n#line 40 \"m.r\"\nc\n",
         0, "2:b [m.r]40:c 41:", ""},
        // An LF CR pair, a word and a string literal, each cut by a block end, arrive whole.
        {std::string(block - 2, ' ') + "w\n" + "\rnext\n" + std::string(block - 9, ' ') +
             "longword" + std::string(block - 8, ' ') + "\"abcdef\"\n",
         0, "w 2:next 3:longword \"abcdef\" 4:", ""},
        // A byte 127 reads as the end mark and ends its line as a line end does; the tokens
        // after it are read below.
        {"x\na\x7f b\nc\n", 0, "x 2:a", ""},
    };
    for (const auto& row : rows) {
        OpenLexer(row.source);
        RunStatements(row.statements);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Tokens(), row.tokens) << row.source.substr(0, 80);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(row.errorStart.empty() ? err : err.substr(0, row.errorStart.size()),
                  row.errorStart);
    }
    // After the end mark, reading goes on with the next line.
    EXPECT_EQ(Tokens(), "3:b 4:c 5:");
    // include, like typedef, leaves no code of the constant before it.
    OpenLexer("'efgh' include");
    NextKind();
    EXPECT_EQ(NextKind(), kTokInclude);
    EXPECT_STREQ(Token().shortText, "");
}

TEST_F(LexerTest, NumberArithmeticAndPrecedence) {
    struct Case {
        const char* text;
        uint32_t value;
    };
    const Case cases[] = {
        {"4 * 2 + 1", 9},        {"0x10|1", 17},          {"2 + 3 * 4", 14},
        {"3 * (1 + 2)", 9},      {"2 * (1 + 2", 6},       {"10 - 2 - 3", 5},
        {"6 & 3 | 8", 10},       {"1 | 6 & 3", 3},        {"7 ^ 2 + 1", 4},
        {"10 * -2", 0u - 20u},   {"100 / 7", 14},         {"7 / -2", 0u - 3u},
        {"0 - 7 / 2", 0u - 3u},  {"4294967295 * 2", 4294967294u},
        {"0b12", 4},             {"0o19", 17},            {"0b101", 5},
        {"0xFf", 255},           {"017", 17},             {"2 * (3 + (4 - 1))", 12},
        {"2\t*\t3", 6},          {"5 + -(2 * 2)", 1},     {"5 +", 5},
        {"5 + (;", 5},           {"2 * (3 + ;", 6},       {"0x80000000 / -1", 0x80000000u},
    };
    for (const Case& c : cases) {
        OpenLexer(c.text);
        EXPECT_EQ(NextKind(), kTokNumber) << c.text;
        EXPECT_EQ(Token().number, c.value) << c.text;
    }
}

// Strings read with escapes, as file names are: the text, and whether the string closed.
TEST_F(LexerTest, EscapedStrings) {
    const struct {
        std::string source;
        std::string text;
        int closed;
        std::string next;  // the tokens after the string
    } rows[] = {
        {"\"C:\\\\dir\\tx\\101\\q\" rest", "C:\\dir\tx" "Aq", 1, "rest"},
        {"\"" + std::string(300, 'n') + "\" after", std::string(255, 'n'), 1, "after"},
        // A digit after a backslash starts three octal digits, also when the last two are no
        // digits: ((1 * 8 + ('a' - '0')) * 8 + ('b' - '0')) & 0xFF = 250.
        {"\"\\1ab\\q\\\"x\\t\\060\"", "\xFA" "q\"x\t0", 1, ""},
        // An escape cut by the end of input: an error, and the end left for the next token.
        {"\"ab\\", "ab", 0, ""},
        {"\"ab\\1", "ab", 0, ""},
        {"\"ab\\12", "ab", 0, ""},
    };
    for (const auto& row : rows) {
        OpenLexer(row.source);
        char text[kFileNameMax + 1];
        ASSERT_EQ(GetCharacter(), '"');
        testing::internal::CaptureStderr();
        EXPECT_EQ(GetString('"', text, true, kFileNameMax), row.closed) << row.source;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.find("error: Possible unterminated string '\"'") != std::string::npos,
                  row.closed == 0)
            << err;
        EXPECT_EQ(std::string(text), row.text) << row.source;
        EXPECT_EQ(Tokens(), row.next) << row.source;
    }
    // Without escapes a backslash stays, with the character after it, which closes nothing.
    OpenLexer("\"a\\\"b\\101\"");
    EXPECT_EQ(Tokens(), "\"a\\\"b\\101\"");
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
    EXPECT_EQ(Tokens(), "5201:next");
}

TEST_F(LexerTest, UngetRefusals) {
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
    EXPECT_EQ(Tokens(), "b");
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
    EXPECT_EQ(Tokens(), "2:; 3:#7 ; 4:x 5:#define");
}

// The newest definition of a name wins, and a symbol is defined before its value is read:
// "R + 1" sees the new R, still without a value (1), not the older r (20) or R (10).
TEST_F(LexerTest, LaterDefinitionsHideEarlierOnes) {
    OpenLexer("#define R 10\n#define r 20\n#define R R + 1\n;\n"
         "enum { A = 1 };\nenum Second { A = 4 };\nenum { a = 7 };\nR r A a");
    RunStatements(7);
    EXPECT_EQ(Tokens(), "8:#2~R #2~r #4~A #7~a");  // constants keep their case
    ASSERT_NE(FindEnumConstant("A"), nullptr);
    EXPECT_STREQ(FindEnumConstant("A")->enumName.c_str(), "Second");
    ReleaseSymbols();
    EXPECT_EQ(FindSymbol("R"), nullptr);
    EXPECT_EQ(FindEnumConstant("A"), nullptr);
}

TEST_F(LexerTest, EnumMembersAndTheirNames) {
    OpenLexer("enum { A = (1), B, C = -1, D };\nenum Named { Filter = 3, 9, G };\n");
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
}

// Includes within includes each keep their own saved state, also when the memory for them is
// reused by a later include; a file without a name reads as UNKNOWN.
TEST_F(LexerTest, NestedSavedStatesComeBackInTurn) {
    OpenLexer("outer1 outer2\nouter3");
    const std::string middle = "middle1\nmiddle2\n";  // middle2 waits in the block meanwhile
    const std::string inner = "inner1\n" + std::string(64, ' ');  // more than middle holds
    EXPECT_EQ(NextKind(), kTokIdentifier);
    for (int round = 0; round < 2; ++round) {
        ReadIncluded("middle.rr", middle, "middle1", [&] {
            ReadIncluded(nullptr, inner, "inner1", [] {
                EXPECT_STREQ(CurrentFileName(), "UNKNOWN");
                UngetToken();
            });
            EXPECT_FALSE(TokenPushedBack());
            EXPECT_STREQ(CurrentFileName(), "middle.rr");
            EXPECT_EQ(NextKind(), kTokIdentifier);
            EXPECT_STREQ(Token().identText, "middle2");
        });
        EXPECT_STREQ(CurrentFileName(), "src.rr");
    }
    EXPECT_EQ(Tokens(), "outer2 2:outer3");
}

// A line read in place in the block is kept through an include, which reads other blocks,
// and an error on a CR LF line shows the line without its line end.
TEST_F(LexerTest, LineInPlaceSurvivesIncludeAndShowsInErrors) {
    OpenLexer("first rest\r\nsecond\n");
    EXPECT_EQ(NextKind(), kTokIdentifier);
    ReadIncluded("other.rr", std::string(3 * kSourceBlockSize, ' ') + "inner\n", "inner");
    EXPECT_EQ(Tokens(), "rest 2:second 3:");

    const Converted c =
        ConvertText("\r\nresource 'STR ' (kUndefined) { \"x\" };\r\nresource\r\n");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.out, "in.rr(2) : error: GetResourceID: integer expected "
                     "('resource 'STR ' (kUndefined) { \"x\" };' : 27)\n\n");
    EXPECT_EQ(c.script, "");
}

}  // namespace
