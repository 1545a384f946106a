// Effect-host properties: fixed-size records of versions, flag words, 32-byte name fields
// and 64-bit ranges, one body per record layout and one row per keyword.
//
// word pair:   keyword { expression , expression [,] }    one long: keyword { expression [,] }
// MV_Effect_Version { expression | "binary digits" [,] }    string name: keyword { string [,] }
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
#include <string_view>
#include <utility>

#include "core/diagnostics.h"
#include "emit/items.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"
#include "properties/suite.h"

struct EffectRow;
typedef void (*EffectBody)(const EffectRow& row);

struct EffectRow {
    const char* context;
    uint32_t vendor;
    uint32_t key;
    const char* name;
    EffectBody body;
    const char* first;   // word pair: comment and field of the first value;
    const char* second;  // and of the second. String name: the missing-string message.
};

namespace {

const char* const kGlobalOutFlagNames[] = {
    "obsolete",          "useAudio",           "useShutterAngle",     "frameNoOpRender",
    "refreshUIEvent",    "haveCustomNTRP",     "haveCustomUI",        "squarePixOnly",
    "workInPlace",       "shrinksBuffer",      "writesInputBuffer",   "pixIndependent",
    "expandsBuffer",     "displayErrorMessage", "sendDoDialog",       "useOutputExtent",
    "doesDialog",        "flattenSequenceData", "sendParamsUpdate",   "nonParamVary",
    "wideTimeInput",     "keepResourceOpen"};
const char* const kFormatExtensionFlagNames[] = {
    "hasNoOptions", "nonSequentialOk", "mustInteract", "hasInteractPut",
    "hasInteractGet", "hasNoTime",     "hasVideo",     "still",
    "hasFile",        "output",        "input"};
const char* const kFilterInfoFlagNames[] = {
    "reserved1True",   "reserved0True",  "dontDriveMe",     "doesntNeedDialog", "paramsPointer",
    "paramsHandle",    "paramsMacHandle", "dialogInRender", "paramsInGlobals",  "bgAnimatable",
    "fgAnimatable",    "notGeometric",   "randomness"};
const char* const kParamAtomFlagNames[] = {"animateParam", "restrictBounds", "spaceIsRelative",
                                           "resDependant"};
const char* const kRlSetupFlagNames[] = {"needsCallbacksAtSetup",    "",
                                         "dontWantInitialSetupCall", "treatAsTwoInputFilter",
                                         "hasCustomDialog",          "highlightOppositeCorners"};
const char* const kRlTransitionFlagNames[] = {"exclusive", "reversible", "haveEdges",
                                              "haveStartPoint", "haveEndPoint"};

// ANIM_ParamAtom type names; a name stands for its position.
const std::string_view kAnimDataTypeNames[] = {
    "ANIM_DT_OPAQUE",         "ANIM_DT_CHAR",          "ANIM_DT_SHORT",
    "ANIM_DT_LONG",           "ANIM_DT_UNSIGNED_CHAR", "ANIM_DT_UNSIGNED_SHORT",
    "ANIM_DT_UNSIGNED_LONG",  "ANIM_DT_FIXED",         "ANIM_DT_UNSIGNED_FIXED",
    "ANIM_DT_EXTENDED_96",    "ANIM_DT_DOUBLE_64",     "ANIM_DT_FLOAT_32",
    "ANIM_DT_COLOR_RGB"};
const std::string_view kAnimUITypeNames[] = {
    "ANIM_UI_NO_UI", "ANIM_UI_ANGLE",     "ANIM_UI_SLIDER",     "ANIM_UI_POINT",
    "ANIM_UI_RECT",  "ANIM_UI_COLOR_RGB", "ANIM_UI_COLOR_CMYK", "ANIM_UI_COLOR_LAB"};

#define NAME_COUNT(a) int(sizeof(a) / sizeof(a[0]))

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

uint32_t ParseFlags(const char* context, const char* const* names, int count) {
    uint32_t bits = 0;
    ParseFlagList(context, names, count, &bits);
    return bits;
}

// A number (its low 16 bits) or one of the type names.
uint32_t ParseAnimType(const char* context, const std::string_view* names, int count,
                       const char* message) {
    GetToken();
    if (Token().kind == kTokNumber) return Token().number & 0xFFFF;
    if (Token().kind == kTokIdentifier) {
        const int i = FindNameNoCase(Token().identText, names, count);
        if (i >= 0) return uint32_t(i);
    }
    FatalErrorIn(context, message);
}

PropertyRecord OpenRecord(const EffectRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    return PropertyRecord(row.key, row.name);
}

void ParseWordPair(const EffectRow& row) {
    PropertyRecord record = OpenRecord(row);
    char comment[80];
    size_t length = JoinBounded(comment, sizeof comment - 1, "/* ", row.first, " */");
    WriteCheckedWord(GetExpression(), row.first, ItemComment(comment, length));
    ExpectComma(row.context);
    length = JoinBounded(comment, sizeof comment - 1, "/* ", row.second, " */");
    WriteCheckedWord(GetExpression(), row.second, ItemComment(comment, length));
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseOneLong(const EffectRow& row) {
    PropertyRecord record = OpenRecord(row);
    WriteDecimalLong(GetExpression(), "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

// The version as an expression or as a string of binary digits, blanks allowed between them.
void ParseMVEffectVersion(const EffectRow& row) {
    PropertyRecord record = OpenRecord(row);
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

void ParseMVGlobalFlags(const EffectRow& row) {
    PropertyRecord record = OpenRecord(row);
    WriteHexLong(ParseFlags(row.context, kGlobalOutFlagNames, NAME_COUNT(kGlobalOutFlagNames)),
                 "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

// A length-prefixed string read before the header, whose length it sets.
void ParseStringName(const EffectRow& row) {
    ExpectOpenBrace(row.context);
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(row.context, row.first);
    FilledString name = ZeroFill(std::move(text));
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    record.Reserve(name.length);
    WriteLengthPrefixedString(name, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

// Versions written as words: two words, the flags, a reserved long and the file type.
void ParseMVFormatExtension(const EffectRow& row) {
    PropertyRecord record = OpenRecord(row);
    WriteDecimalWord(GetExpression() & 0xFFFF, "/* Major vers */");
    ExpectComma(row.context);
    WriteDecimalWord(GetExpression() & 0xFFFF, "/* Minor vers */");
    ExpectComma(row.context);
    WriteHexLong(
        ParseFlags(row.context, kFormatExtensionFlagNames, NAME_COUNT(kFormatExtensionFlagNames)),
        "");
    ExpectComma(row.context);
    WriteReservedLongs(1);
    ParseCodeOrEnumItem(row.context, "/* Format extension filetype */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseAnimFilterInfo(const EffectRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(1, "/* Major version */");
    WriteDecimalLong(0, "/* Minor version */");
    WriteDecimalLong(GetExpression(), "/* Filter params version */");
    ExpectComma(row.context);
    WriteHexLong(ParseFlags(row.context, kFilterInfoFlagNames, NAME_COUNT(kFilterInfoFlagNames)),
                 "/* Flags */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Number of parameters */");
    ExpectComma(row.context);
    ParseNameField(row.context, "/* Match name */");
    WriteReservedLongs(4);
    record.Close();
    ExpectPropertyEnd(row.context);
}

// The index comes first in the source and goes into the record's index field.
void ParseAnimParamAtom(const EffectRow& row) {
    ExpectOpenBrace(row.context);
    int32_t index = GetExpression();
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name, index);
    ExpectComma(row.context);
    ParseNameField(row.context, "/* External name */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Match ID */");
    ExpectComma(row.context);
    WriteDecimalLong(int32_t(ParseAnimType(row.context, kAnimDataTypeNames,
                                           NAME_COUNT(kAnimDataTypeNames),
                                           "Expected number or data type")),
                     "/* Anim data type */");
    ExpectComma(row.context);
    WriteDecimalLong(int32_t(ParseAnimType(row.context, kAnimUITypeNames,
                                           NAME_COUNT(kAnimUITypeNames),
                                           "Expected number or UI type")),
                     "/* Anim UI type */");
    for (const char* label : {"Valid_min", "Valid_max", "UI_min", "UI_max"}) {
        ExpectComma(row.context);
        WriteHighLowLongs(label);
    }
    ExpectComma(row.context);
    WriteDecimalLong(
        int32_t(ParseFlags(row.context, kParamAtomFlagNames, NAME_COUNT(kParamAtomFlagNames))),
        "/* Flags */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Total size in bytes */");
    WriteReservedLongs(4);
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseRlEffectInfo(const EffectRow& row) {
    PropertyRecord record = OpenRecord(row);
    WriteDecimalLong(0, "/* Version */");
    WriteOctalByte(uint32_t(GetExpression()) & 0xFF, "/* Valid corners */");
    ExpectComma(row.context);
    WriteOctalByte(uint32_t(GetExpression()) & 0xFF, "/* Initial corners */");
    ExpectComma(row.context);
    WriteOctalByte(ParseFlags(row.context, kRlSetupFlagNames, NAME_COUNT(kRlSetupFlagNames)),
                   "/* Callbacks, Setup, TwoInput, Custom, Corners */");
    ExpectComma(row.context);
    const int count = NAME_COUNT(kRlTransitionFlagNames);
    uint32_t transitions = ParseFlags(row.context, kRlTransitionFlagNames, count);
    for (int i = 0; i < count; ++i) {
        char comment[80];
        const size_t length =
            JoinBounded(comment, sizeof comment - 1, "/* ", kRlTransitionFlagNames[i], " */");
        WriteOctalByte((transitions >> (count - 1 - i)) & 1, ItemComment(comment, length));
    }
    WriteReservedLongs(1);
    record.Close();
    ExpectPropertyEnd(row.context);
}

}  // namespace

const EffectRow kMV_Effect_Spec_VersionRow = {"ParseMVSpecsVers", kVendorLMTR, FourCC("eSVR"),
    "MV_Effect_Spec_Version", ParseWordPair, "Max x", "Max y"};
const EffectRow kMV_Vtag_VersionRow = {"ParseMVVtagVers", kVendorLMTR, FourCC("ePVR"),
    "MV_Vtag_Version", ParseWordPair, "Minor vers", "Major vers"};
const EffectRow kMV_Effect_VersionRow = {"ParseMVEffectVersion", kVendorLMTR, FourCC("eVER"),
    "Moviro Version", ParseMVEffectVersion, nullptr, nullptr};
const EffectRow kMV_Effect_Match_NameRow = {"ParseMVMatchName", kVendorLMTR, FourCC("eMNA"),
    "Moviro Name", ParseStringName, "String expected", nullptr};
const EffectRow kMV_Effect_Info_FlagsRow = {"ParseMVInfoFlags", kVendorLMTR, FourCC("eINF"),
    "Moviro Info Flags", ParseOneLong, nullptr, nullptr};
const EffectRow kMV_Effect_Global_OutFlagsRow = {"ParseMVGlobalFlags", kVendorLMTR, FourCC("eGLO"),
    "Moviro Global Flags", ParseMVGlobalFlags, nullptr, nullptr};
const EffectRow kMV_ReservedRow = {"ParseMVReserved", kVendorLMTR, FourCC("mvRD"),
    "Moviro Reserved", ParseOneLong, nullptr, nullptr};
const EffectRow kMV_Reserved_InfoRow = {"ParseMVReservedInfo", kVendorLMTR, FourCC("mvFL"),
    "Moviro Reserved Info", ParseOneLong, nullptr, nullptr};
const EffectRow kMV_ImageFormat_Extension_InfoRow = {"ParseMVFormatExtension", kVendorLMTR,
    FourCC("FXMF"), "Moviro Format Extension", ParseMVFormatExtension, nullptr, nullptr};
const EffectRow kANIM_FilterInfoRow = {"ParseAnimFilterInfo", kVendorLMTR, FourCC("aFLT"),
    "ANIM_FilterInfo", ParseAnimFilterInfo, nullptr, nullptr};
const EffectRow kANIM_ParamAtomRow = {"ParseAnimParamAtom", kVendorLMTR, FourCC("aPAR"),
    "ANIM_ParamAtom", ParseAnimParamAtom, nullptr, nullptr};
const EffectRow kRl_Effect_InfoRow = {"ParseRlEffectInfo", kVendorRlTn, FourCC("pOPT"),
    "Rl_Effect_Info", ParseRlEffectInfo, nullptr, nullptr};
const EffectRow kRl_Effect_DescriptionRow = {"ParseRlEffectDescription", kVendorRlTn,
    FourCC("TEXT"), "Rl_Effect_Description", ParseStringName, "String Expected", nullptr};

void ParseEffectHostProperty(const EffectRow& row) {
    row.body(row);
}
