// Suite-style properties: records whose values are lists, codes and named numbers rather
// than a single scalar; list counts and lengths are back-patched once the list is read.
//
// HasTerminology { class , event , terminology-id , string [,] }
// Imports, Exports { { string , version { [,] string , version } [,] } [,] }
// Keywords       { { string { [,] string } [,] } [,] }
// Messages { flag x4 [,] }     ButtonIcon { mac-type , win-type , resource-id , string [,] }
// Class { class-type [,] }     PreviewFile { string [,] }
#include "properties/suite.h"

#include <cctype>
#include <cstdint>
#include <string>
#include <utility>

#include "emit/items.h"
#include "emit/output.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"

struct SuiteRow;
typedef void (*SuiteBody)(const SuiteRow& row);

struct SuiteRow {
    const char* context;
    uint32_t vendor;
    uint32_t key;
    const char* name;
    SuiteBody body;
    bool withVersion;  // list entries: a suite name and a version (else a keyword alone)
};

namespace {

// A word accepted in place of a number.
struct NamedValue {
    const char* name;
    uint32_t value;
};

const NamedValue kMacIconTypes[] = {{"none", 0}, {"cicn", 1}};
const NamedValue kWinIconTypes[] = {{"none", 0}, {"ICON", 1}};
const NamedValue kImportClasses[] = {{"none", 0},   {"scanner", 1}, {"camera", 2},
                                     {"video", 3},  {"floppy", 4},  {"cdrom", 5},
                                     {"internet", 6}};

const char* const kMessageNames[] = {"noStartupRequired", "purgeCache", "noShutdownRequired",
                                     "acceptProperty"};

// A number token gives its low 16 bits; a plain word must be one of the names.
template <size_t N>
uint32_t ParseNamedNumber(const char* context, const NamedValue (&names)[N],
                          const char* message) {
    GetToken();
    if (Token().kind == kTokNumber) return Token().number & 0xFFFF;
    if (Token().kind == kTokIdentifier) {
        for (const NamedValue& entry : names) {
            if (WordMatchesName(Token().identText, entry.name)) return entry.value;
        }
    }
    FatalErrorIn(context, message);
}

FilledString GetFilledString(const char* context) {
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(context, "String Expected");
    return ZeroFill(std::move(text));
}

void ParseTerminology(const SuiteRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(0, "/* Version */");
    ParseCodeOrEnumItem(row.context, "/* Class ID */");
    ExpectComma(row.context);
    ParseCodeOrEnumItem(row.context, "/* Event ID */");
    ExpectComma(row.context);
    WriteDecimalWord(int16_t(GetExpression()), "/* Terminology ID */");
    ExpectComma(row.context);
    FilledString unique = GetFilledString(row.context);
    WriteCString(unique, "/* Unique string */");
    WritePaddingWord("/* Padding */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

// Imports, Exports and Keywords: a counted list inside a second pair of braces. Entries
// follow each other with a comma or nothing between them; at least one is required.
void ParseSuiteList(const SuiteRow& row) {
    ExpectOpenBrace(row.context);
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    long countPos = WriteLengthField(0, "/* Count */");
    unsigned long count = 0;
    for (;;) {
        FilledString entry = GetFilledString(row.context);
        if (row.withVersion) {
            unsigned long entryLength = entry.length + 8;
            CheckFieldLimit("Property length", record.Length() + entryLength, 65535);
            WriteDecimalLong(int32_t(entryLength), "/* Length */");
            WriteCString(entry, "/* Suite name */");
            ExpectComma(row.context);
            WriteDecimalLong(GetExpression(), "/* Version */");
        } else {
            CheckFieldLimit("Property length", record.Length() + entry.length, 65535);
            WriteCString(entry, "");
        }
        ++count;
        GetTokenAfterMember();
        if (Token().kind == kTokCloseBrace) break;
        ExpectCurrent(kTokString, row.context, "Closebrace or string expected");
    }
    record.Close();
    ExpectPropertyEnd(row.context);
    PatchField(countPos, count, "Count");
}

void ParseMessages(const SuiteRow& row) {
    ExpectOpenBrace(row.context);
    uint32_t bits = 0;
    ParseFlagList(row.context, kMessageNames, 4, &bits);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    WriteHexLong(bits, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseButtonIcon(const SuiteRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(0, "/* Version */");
    uint32_t macType =
        ParseNamedNumber(row.context, kMacIconTypes, "Macintosh enum type or number expected");
    WriteDecimalLong(int32_t(macType), "/* Macintosh enum type */");
    ExpectComma(row.context);
    uint32_t winType =
        ParseNamedNumber(row.context, kWinIconTypes, "Windows enum type or number expected");
    WriteDecimalLong(int32_t(winType), "/* Windows enum type */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Resource ID */");
    ExpectComma(row.context);
    FilledString caption = GetFilledString(row.context);
    WriteCString(caption, "/* Caption */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseImportClass(const SuiteRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(0, "/* Version */");
    uint32_t type =
        ParseNamedNumber(row.context, kImportClasses, "Class enum type or number expected");
    WriteDecimalLong(int32_t(type), "/* Class type */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParsePreviewFile(const SuiteRow& row) {
    ExpectOpenBrace(row.context);
    FilledString file = GetFilledString(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(0, "/* Version */");
    WriteCString(file, "/* Preview filename */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

}  // namespace

const SuiteRow kHasTerminologyRow = {"ParseTerminology", kVendorLMTR, FourCC("hstm"),
    "PITerminology", ParseTerminology, false};
const SuiteRow kImportsRow = {"ParseImportList", kVendorORVN, FourCC("impt"), "ImportList",
    ParseSuiteList, true};
const SuiteRow kExportsRow = {"ParseExportList", kVendorORVN, FourCC("expt"), "ExportList",
    ParseSuiteList, true};
const SuiteRow kKeywordsRow = {"ParseKeywords", kVendorORVN, FourCC("keyw"), "Keywords",
    ParseSuiteList, false};
const SuiteRow kMessagesRow = {"ParseMessages", kVendorORVN, FourCC("AcpM"), "Messages",
    ParseMessages, false};
const SuiteRow kButtonIconRow = {"ParseButtonIcon", kVendorLMTR, FourCC("btni"), "ButtonIcon",
    ParseButtonIcon, false};
const SuiteRow kClassRow = {"ParseImportClass", kVendorLMTR, FourCC("clas"), "Snapkit Import Class",
    ParseImportClass, false};
const SuiteRow kPreviewFileRow = {"ParsePreviewFile", kVendorLMTR, FourCC("prvw"),
    "Snapkit Preview File", ParsePreviewFile, false};

void ParseSuiteProperty(const SuiteRow& row) {
    row.body(row);
}
