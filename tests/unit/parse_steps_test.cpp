// The token checks of the parsing steps: what each reads, what it leaves current or pushed
// back, and where a failed check reports.
#include <gtest/gtest.h>

#include <string>

#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "tests/unit/conversion_fixture.h"

namespace {

class StepsTest : public ConversionTest {
protected:
    // Runs step, which must fail; returns the console text of the report.
    template <typename Step>
    static std::string Failure(Step step) {
        testing::internal::CaptureStdout();
        EXPECT_THROW(step(), FatalExit);
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(StepsTest, AcceptKeepsAMatchAndPushesBackAnythingElse) {
    OpenLexer("{ , }");
    EXPECT_FALSE(Accept(kTokComma));
    EXPECT_TRUE(TokenPushedBack());
    EXPECT_TRUE(Accept(kTokOpenBrace));
    EXPECT_FALSE(TokenPushedBack());
    EXPECT_TRUE(Accept(kTokComma));
    EXPECT_EQ(NextKind(), kTokCloseBrace);
}

TEST_F(StepsTest, ExpectReadsTheNextTokenAndExpectCurrentDoesNot) {
    OpenLexer("{ ,");
    Expect(kTokOpenBrace, "Step", "Open brace expected");
    ExpectCurrent(kTokOpenBrace, "Step", "Open brace expected");
    Expect(kTokComma, "Step", "Comma expected");
    EXPECT_EQ(NextKind(), kTokEnd);
}

TEST_F(StepsTest, FailedCheckReportsContextMessageAndColumnAfterTheToken) {
    OpenLexer("{ ;\n");
    Expect(kTokOpenBrace, "Step", "unused");
    EXPECT_EQ(Failure([] { Expect(kTokComma, "Step", "Comma expected"); }),
              "src.rr(1) : error: Step: Comma expected ('{ ;' : 3)\n\n");
}

TEST_F(StepsTest, CheckAfterARefusedAcceptFailsWhereThatTokenEnded) {
    // The pushed-back ';' is the token checked; the 'x' after it is never read.
    OpenLexer("; x\n");
    EXPECT_FALSE(Accept(kTokComma));
    EXPECT_EQ(Failure([] { Expect(kTokComma, "Step", "Comma expected"); }),
              "src.rr(1) : error: Step: Comma expected ('; x' : 1)\n\n");
}

TEST_F(StepsTest, ExpectCloseTakesOneOptionalComma) {
    OpenLexer("} , } , , }\n");
    ExpectClose("Step", "Close expected");
    ExpectClose("Step", "Close expected");
    EXPECT_EQ(Failure([] { ExpectClose("Step", "Close expected"); }),
              "src.rr(1) : error: Step: Close expected ('} , } , , }' : 9)\n\n");
}

TEST_F(StepsTest, ResourceIdPushesBackTheTokenAfterIt) {
    // An added number is covered by whole runs: only a number from a word reaches the step
    // with a plus still after it.
    OpenLexer("((-7) ; x\n");
    EXPECT_EQ(GetResourceID(), -7);
    EXPECT_TRUE(TokenPushedBack());
    EXPECT_EQ(NextKind(), kTokCloseParen);
    EXPECT_EQ(NextKind(), kTokSemicolon);
    EXPECT_EQ(Failure([] { GetResourceID(); }),
              "src.rr(1) : error: GetResourceID: integer expected ('((-7) ; x' : 9)\n\n");
}

TEST_F(StepsTest, StringValueJoinsAdjacentStringsAndPushesBackTheNext) {
    OpenLexer("\"ab\" \"cd\" ;");
    std::string text;
    ASSERT_TRUE(GetStringValue(text));
    EXPECT_EQ(text, "abcd");
    EXPECT_TRUE(TokenPushedBack());
    EXPECT_EQ(NextKind(), kTokSemicolon);
}

// A number keeps the bits under the mask; a name stands for its position in the list, in any
// letter case; another word or a string fails under the step's context.
TEST_F(StepsTest, NumberOrNameGivesTheMaskedNumberOrTheNamesPosition) {
    const char* const names[] = {"none", "", "scanner", "camera"};
    const NameList list = {names, 4};
    OpenLexer("0x12345 CAMERA scanner 0x1FF\n");
    EXPECT_EQ(ParseNumberOrName("Step", list, 0xFFFF, "Class expected"), 0x2345u);
    EXPECT_EQ(ParseNumberOrName("Step", list, 0xFFFF, "Class expected"), 3u);
    EXPECT_EQ(ParseNumberOrName("Step", list, 0xFF, "Class expected"), 2u);
    EXPECT_EQ(ParseNumberOrName("Step", list, 0xFF, "Class expected"), 0xFFu);
    for (const char* source : {"cameras\n", "\"none\"\n"}) {
        OpenLexer(source);
        const std::string report =
            Failure([&] { ParseNumberOrName("Step", list, 0xFF, "Class expected"); });
        EXPECT_NE(report.find("error: Step: Class expected"), std::string::npos) << report;
    }
}

}  // namespace
