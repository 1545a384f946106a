// Filter case info: seven case entries of input case, output case and four case flags.
//
// FilterCaseInfo { { entry entry entry entry entry entry entry } [,] }
// entry: input-case , output-case , flag , flag , flag , flag ( , | } )
#include "properties/filtercase.h"

#include "emit/items.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

static constexpr int kCaseCount = 7;

void ParseFilterCaseInfo(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    PropertyRecord record = OpenProperty(row);
    for (int i = 0; i < kCaseCount; ++i) {
        // A case is a number (its low byte) or a case name.
        const uint32_t input = ParseNumberOrName(row.context, kInputCaseNames, 0xFF,
                                                 "Unknown input case or token");
        ExpectComma(row.context);
        const uint32_t output = ParseNumberOrName(row.context, kOutputCaseNames, 0xFF,
                                                  "Unknown output case or token");
        ExpectComma(row.context);
        const uint32_t flags = ParseFlags(row.context, kCaseFlagNames);
        WriteHexLong(input | (output << 8) | (flags << 16), "");
        GetToken();
        if (Token().kind != kTokComma && Token().kind != kTokCloseBrace) {
            FatalErrorIn(row.context, "Comma or close brace expected");
        }
    }
    record.Close();
    ExpectPropertyEnd(row.context);
}
