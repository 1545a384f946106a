// Filter case info: seven case entries of input case, output case and four case flags.
#include "properties/filtercase.h"

#include <cctype>

#include "emit/items.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace {

const char* const kContext = "ParseFilterCaseInfo";
constexpr int kCaseCount = 7;

// A case name's value is its position; empty entries have no name.
const char* const kInputCaseNames[] = {
    "inCantFilter", "inStraightData", "inBlackMat", "inGrayMat",       "inWhiteMat",
    "inDefringe",   "inBlackZap",     "inGrayZap",  "inWhiteZap",      "",
    "inBackgroundZap", "inForegroundZap"};
const char* const kOutputCaseNames[] = {"outCantFilter", "outStraightData", "outBlackMat",
                                        "outGrayMat",    "outWhiteMat",     "",
                                        "",              "",                "",
                                        "outFillMask"};
const char* const kCaseFlagNames[] = {"writeOutsideSelection", "filtersLayerMasks",
                                      "worksWithBlankData", "doNotCopySourceToDestination"};

// Reads one case item: a number (its low byte) or a case name looked up from the highest value
// down, in any letter case.
uint32_t GetCaseValue(const char* const* names, int count, const char* message) {
    GetToken();
    if (gToken.kind == kTokNumber) return gToken.number & 0xFF;
    if (gToken.kind == kTokIdentifier) {
        for (int value = count - 1; value >= 0; --value) {
            if (names[value][0] != '\0' &&
                NamesMatchNoCase(names[value], gToken.identText)) {
                return uint32_t(value);
            }
        }
    }
    FatalErrorIn(kContext, message);
}

}  // namespace

void ParseFilterCaseInfo() {
    ExpectOpenBrace(kContext);
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    WritePropertyHeader(FourCC("fici"), "PIFilterCaseInfoProperty", 4 * kCaseCount);
    for (int i = 0; i < kCaseCount; ++i) {
        uint32_t input = GetCaseValue(kInputCaseNames, 12, "Unknown input case or token");
        ExpectComma(kContext);
        uint32_t output = GetCaseValue(kOutputCaseNames, 10, "Unknown output case or token");
        ExpectComma(kContext);
        uint32_t flags = 0;
        ParseFlagList(kContext, kCaseFlagNames, 4, &flags);
        WriteHexLong(input | (output << 8) | (flags << 16), "");
        GetToken();
        if (gToken.kind != kTokComma && gToken.kind != kTokCloseBrace) {
            FatalErrorIn(kContext, "Comma or close brace expected");
        }
    }
    ExpectPropertyEnd(kContext);
}
