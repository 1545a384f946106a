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
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace {

FilledString GetFilledString(const char* context) {
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(context, "String Expected");
    return ZeroFill(std::move(text));
}

}  // namespace

void ParseTerminology(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
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
void ParseSuiteList(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    PropertyRecord record = OpenProperty(row);
    long countPos = WriteLengthField(0, "/* Count */");
    unsigned long count = 0;
    for (;;) {
        FilledString entry = GetFilledString(row.context);
        if (row.shape == ValueShape::kSuiteList) {
            // Written first, so known first: its own length long, the name, the version long.
            const unsigned long entryLength = kLongBytes + entry.length + kLongBytes;
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

void ParseMessages(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    const uint32_t bits = ParseFlags(row.context, kMessageFlagNames);
    PropertyRecord record(row);
    WriteHexLong(bits, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseButtonIcon(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(0, "/* Version */");
    uint32_t macType =
        ParseNumberOrName(row.context, kMacIconTypeNames, 0xFFFF,
                          "Macintosh enum type or number expected");
    WriteDecimalLong(int32_t(macType), "/* Macintosh enum type */");
    ExpectComma(row.context);
    uint32_t winType =
        ParseNumberOrName(row.context, kWinIconTypeNames, 0xFFFF,
                          "Windows enum type or number expected");
    WriteDecimalLong(int32_t(winType), "/* Windows enum type */");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "/* Resource ID */");
    ExpectComma(row.context);
    FilledString caption = GetFilledString(row.context);
    WriteCString(caption, "/* Caption */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseImportClass(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(0, "/* Version */");
    uint32_t type =
        ParseNumberOrName(row.context, kImportClassNames, 0xFFFF,
                          "Class enum type or number expected");
    WriteDecimalLong(int32_t(type), "/* Class type */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParsePreviewFile(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    FilledString file = GetFilledString(row.context);
    PropertyRecord record(row);
    WriteDecimalLong(0, "/* Version */");
    WriteCString(file, "/* Preview filename */");
    record.Close();
    ExpectPropertyEnd(row.context);
}

