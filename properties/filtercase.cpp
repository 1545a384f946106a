// Filter case info: seven case entries of input case, output case and four case flags.
//
// FilterCaseInfo { { entry entry entry entry entry entry entry } [,] }
// entry: input-case , output-case , flag , flag , flag , flag ( , | } )
#include "properties/filtercase.h"

#include <cctype>
#include <string_view>

#include "emit/items.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace {

const char* const kContext = "ParseFilterCaseInfo";
constexpr int kCaseCount = 7;

// A case name's value is its position; empty entries have no name.
const std::string_view kInputCaseNames[] = {
    "inCantFilter", "inStraightData", "inBlackMat", "inGrayMat",       "inWhiteMat",
    "inDefringe",   "inBlackZap",     "inGrayZap",  "inWhiteZap",      "",
    "inBackgroundZap", "inForegroundZap"};
const std::string_view kOutputCaseNames[] = {"outCantFilter", "outStraightData", "outBlackMat",
                                             "outGrayMat",    "outWhiteMat",     "",
                                             "",              "",                "",
                                             "outFillMask"};
const char* const kCaseFlagNames[] = {"writeOutsideSelection", "filtersLayerMasks",
                                      "worksWithBlankData", "doNotCopySourceToDestination"};

// Reads one case item: a number (its low byte) or a case name, in any letter case.
template <size_t N>
uint32_t GetCaseValue(const std::string_view (&names)[N], const char* message) {
    GetToken();
    if (Token().kind == kTokNumber) return Token().number & 0xFF;
    if (Token().kind == kTokIdentifier) {
        const int value = FindNameNoCase(Token().identText, names, int(N));
        if (value >= 0) return uint32_t(value);
    }
    FatalErrorIn(kContext, message);
}

}  // namespace

void ParseFilterCaseInfo() {
    ExpectOpenBrace(kContext);
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("fici"), "PIFilterCaseInfoProperty");
    for (int i = 0; i < kCaseCount; ++i) {
        uint32_t input = GetCaseValue(kInputCaseNames, "Unknown input case or token");
        ExpectComma(kContext);
        uint32_t output = GetCaseValue(kOutputCaseNames, "Unknown output case or token");
        ExpectComma(kContext);
        uint32_t flags = 0;
        ParseFlagList(kContext, kCaseFlagNames, 4, &flags);
        WriteHexLong(input | (output << 8) | (flags << 16), "");
        GetToken();
        if (Token().kind != kTokComma && Token().kind != kTokCloseBrace) {
            FatalErrorIn(kContext, "Comma or close brace expected");
        }
    }
    record.Close();
    ExpectPropertyEnd(kContext);
}
