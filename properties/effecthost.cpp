// Effect-host properties: fixed-size records of versions, flag words, 32-byte name fields
// and 64-bit ranges, one handler per record layout. (The one-long and string records are
// the number and string shapes of scalar.cpp and strings.cpp.)
//
// word pair:   keyword { expression , expression [,] }
// MV_Effect_Version { expression | "binary digits" [,] }
// MV_Effect_Global_OutFlags { flag x22 [,] }
// MV_ImageFormat_Extension_Info { major , minor , flag x11 , type [,] }
// ANIM_FilterInfo { version , flag x13 , count , name [,] }
// ANIM_ParamAtom  { index , name , match-id , data-type , ui-type , low , high (x4) ,
//                   flag x4 , size [,] }
// Rl_Effect_Info  { valid , initial , flag x6 , flag x5 [,] }
// flag xN: N flag items separated by commas
#include "properties/effecthost.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "core/diagnostics.h"
#include "emit/items.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace {

constexpr unsigned long kNameFieldSize = 32;

// A 16-bit word takes a signed or an unsigned value; anything wider is refused.
void WriteCheckedWord(int32_t value, const char* field, ItemComment comment) {
    if (value < -32768 || value > 65535) {
        char message[256] = {0};
        FormatBounded(message, sizeof message - 1, "%s %ld does not fit (-32768 to 65535)", field,
                      long(value));
        FatalError(message);
    }
    WriteDecimalWord(value, comment);
}

// The 32-byte name field: at most 31 bytes of the name, zero bytes to 32 in all.
FilledString NameField(const std::string& text) {
    FilledString field;
    field.n = 0;
    size_t end = 0;   // the end of the units that fit
    while (end < text.size()) {
        // A character other than a backslash is a unit and a byte; an escape is never split,
        // and its bytes are counted as the compiler counts them.
        const size_t unit = text[end] != '\\' ? 1 : EscapeUnitLength(text, end, kOtherEscapeStays);
        const unsigned long bytes = unit == 1 ? 1 : EncodedLength(text.substr(end, unit));
        if (field.n + bytes > kNameFieldSize - 1) break;
        field.n += bytes;
        end += unit;
    }
    const unsigned long zeros = kNameFieldSize - 1 - field.n;
    field.text.reserve(end + 2 * zeros);
    field.text.assign(text, 0, end);
    AppendZeroEscapes(field.text, zeros);
    field.length = kNameFieldSize;
    return field;
}

void ParseNameField(const char* context, const char* comment) {
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(context, "String Expected");
    WriteCString(NameField(text), comment);
}

}  // namespace

void ParseWordPair(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    char comment[80];
    size_t length = JoinBounded(comment, sizeof comment - 1, "/* ", row.detail.first, " */");
    WriteCheckedWord(GetExpression(), row.detail.first, ItemComment(comment, length));
    ExpectComma(row.context);
    length = JoinBounded(comment, sizeof comment - 1, "/* ", row.detail.second, " */");
    WriteCheckedWord(GetExpression(), row.detail.second, ItemComment(comment, length));
    record.Close();
    ExpectPropertyEnd(row.context);
}

// The version as an expression or as a string of binary digits, blanks allowed between them.
void ParseMVEffectVersion(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    uint32_t value = 0;
    if (Accept(kTokString)) {
        const char* digits = Token().stringText;
        int bit = 0;
        for (size_t i = std::strlen(digits); i-- > 0;) {
            const char c = digits[i];
            if (c == ' ') continue;
            if (c != '0' && c != '1')
                FatalErrorIn(row.context, "Binary bitstring contains illegal character");
            if (c == '1' && bit < 32) value |= uint32_t(1) << bit;
            ++bit;
        }
    } else {
        value = uint32_t(GetExpression());
    }
    WriteHexLong(value, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseMVGlobalFlags(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteHexLong(ParseFlags(row.context, kGlobalOutFlagNames), "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

// Versions written as words: two words, the flags, a reserved long and the file type.
void ParseMVFormatExtension(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalWord(GetExpression() & 0xFFFF, "/* Major vers */");
    ExpectComma(row.context);
    WriteDecimalWord(GetExpression() & 0xFFFF, "/* Minor vers */");
    ExpectComma(row.context);
    WriteHexLong(ParseFlags(row.context, kFormatExtensionFlagNames), "");
    ExpectComma(row.context);
    WriteReservedLongs(1);
    ParseCodeOrEnumItem(row.context, "/* Format extension filetype */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseAnimFilterInfo(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(1, "/* Major version */");
    WriteDecimalLong(0, "/* Minor version */");
    WriteDecimalLong(GetExpression(), "/* Filter params version */");
    ExpectComma(row.context);
    WriteHexLong(ParseFlags(row.context, kFilterInfoFlagNames), "/* Flags */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Number of parameters */");
    ExpectComma(row.context);
    ParseNameField(row.context, "/* Match name */");
    WriteReservedLongs(4);
    record.Close();
    ExpectPropertyEnd(row.context);
}

// The index comes first in the source and goes into the record's index field.
void ParseAnimParamAtom(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    int32_t index = GetExpression();
    PropertyRecord record(row, index);
    ExpectComma(row.context);
    ParseNameField(row.context, "/* External name */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Match ID */");
    ExpectComma(row.context);
    WriteDecimalLong(int32_t(ParseNumberOrName(row.context, kAnimDataTypeNames, 0xFFFF,
                                               "Expected number or data type")),
                     "/* Anim data type */");
    ExpectComma(row.context);
    WriteDecimalLong(int32_t(ParseNumberOrName(row.context, kAnimUITypeNames, 0xFFFF,
                                               "Expected number or UI type")),
                     "/* Anim UI type */");
    for (const char* label : {"Valid_min", "Valid_max", "UI_min", "UI_max"}) {
        ExpectComma(row.context);
        WriteHighLowLongs(row.context, label);
    }
    ExpectComma(row.context);
    WriteDecimalLong(int32_t(ParseFlags(row.context, kParamAtomFlagNames)), "/* Flags */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Total size in bytes */");
    WriteReservedLongs(4);
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseRlEffectInfo(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(0, "/* Version */");
    WriteOctalByte(uint32_t(GetExpression()) & 0xFF, "/* Valid corners */");
    ExpectComma(row.context);
    WriteOctalByte(uint32_t(GetExpression()) & 0xFF, "/* Initial corners */");
    ExpectComma(row.context);
    WriteOctalByte(ParseFlags(row.context, kRlSetupFlagNames),
                   "/* Callbacks, Setup, TwoInput, Custom, Corners */");
    ExpectComma(row.context);
    const int count = kRlTransitionFlagNames.count;
    uint32_t transitions = ParseFlags(row.context, kRlTransitionFlagNames);
    for (int i = 0; i < count; ++i) {
        char comment[80];
        const size_t length =
            JoinBounded(comment, sizeof comment - 1, "/* ", kRlTransitionFlagNames.names[i], " */");
        WriteOctalByte((transitions >> (count - 1 - i)) & 1, ItemComment(comment, length));
    }
    WriteReservedLongs(1);
    record.Close();
    ExpectPropertyEnd(row.context);
}

