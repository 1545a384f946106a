// Flag-set properties: positional flag lists turned into the bit layout the host reads.
//
// flag set:       keyword { flag { , flag } [,] }   (one flag per name of the row)
// SupportedModes { flag x8 , flag x2 [,] }            flag: number | name
#include "properties/flagsets.h"

#include "emit/items.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

// The bits from ParseFlagList (first item most significant) are shifted into the low byte.
void ParseFlagSetProperty(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    const uint32_t bits = ParseFlags(row.context, *row.detail.names);
    WriteHexLong((bits << row.detail.shift) & 0xFF, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseSupportedModes(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    const uint32_t group1 = ParseFlags(row.context, kModeGroup1Names);
    ExpectComma(row.context);
    const uint32_t group2 = ParseFlags(row.context, kModeGroup2Names);
    WriteHexWord(((group2 << 14) | group1) & 0xFFFF, "/* Supported modes */");
    WriteDecimalWord(0, "/* Reserved */");
    record.Close();
    ExpectPropertyEnd(row.context);
}
