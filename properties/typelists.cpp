// Type and extension lists and format limits: the list readers and their property handlers.
//
// type and creator lists: keyword { { type , creator { , type , creator } } [,] }
// clipboard types:        keyword { { type { , type } } [,] }
// extension lists:        keyword { group { [,] group } [,] }   group: { [ 'ext' { , 'ext' } ] }
// FmtFileType { type , creator [,] }     FormatMaxSize { { x , y [,] } [,] }
// FormatMaxChannels { { count { , count } } [,] }
#include "properties/typelists.h"

#include <vector>

#include "emit/items.h"
#include "emit/output.h"
#include "lexer/fatal.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"
#include "properties/suite.h"

enum ListForm { kTypeCreatorPairs, kSingleTypes, kExtensions };

struct TypeListRow {
    uint32_t key;
    const char* name;
    const char* context;
    ListForm form;
};

const TypeListRow kReadTypesRow = {FourCC("RdTy"), "PIReadTypesProperty", "ParseReadTypes",
    kTypeCreatorPairs};
const TypeListRow kWriteTypesRow = {FourCC("WrTy"), "PIWriteTypesProperty", "ParseWriteTypes",
    kTypeCreatorPairs};
const TypeListRow kFilteredTypesRow = {FourCC("fftT"), "PIFilteredTypesProperty",
    "ParseFilteredTypes", kTypeCreatorPairs};
const TypeListRow kParsableTypesRow = {FourCC("psTY"), "PIParsableTypesProperty",
    "ParseParsableTypes", kTypeCreatorPairs};
const TypeListRow kFilteredParsableTypesRow = {FourCC("psTy"), "PIFilteredParsableTypesProperty",
    "ParseFilteredParsableTypes", kTypeCreatorPairs};
const TypeListRow kParsableClipboardTypesRow = {FourCC("psCB"), "PIParsableClipTypesProperty",
    "ParseParsableClipboardTypes", kSingleTypes};
const TypeListRow kReadExtensionsRow = {FourCC("RdEx"), "PIReadExtProperty", "ParseReadExtensions",
    kExtensions};
const TypeListRow kWriteExtensionsRow = {FourCC("WrEx"), "PIWriteExtProperty",
    "ParseWriteExtensions", kExtensions};
const TypeListRow kFilteredExtensionsRow = {FourCC("fftE"), "PIFilteredExtProperty",
    "ParseFilteredExtensions", kExtensions};
const TypeListRow kParsableExtensionsRow = {FourCC("psEX"), "PIParsableExtProperty",
    "ParseParsableExtensions", kExtensions};
const TypeListRow kFilteredParsableExtensionsRow = {FourCC("psEx"), "PIFilteredParsableExtProperty",
    "ParseFilteredParsableExtensions", kExtensions};

namespace {

const char* const kClipboardContext = "ParseParsableClipboardTypes";

// An extension keeps its characters in reading order in the compiled resource, so the code is
// byte-swapped before the code item reverses it.
void WriteExtensionItem(const char* text) {
    uint32_t code = CodeFromShortText(text);
    uint32_t reading = (code >> 24) | ((code >> 8) & 0xFF00) | ((code << 8) & 0xFF0000) |
                       (code << 24);
    WriteCodeItem(reading, "");
}

// A list of items in one brace group followed by the property's close brace. Each element is
// itemsPerElement type items separated by commas.
void ParseTypeGroup(const char* context, int itemsPerElement) {
    ExpectOpenBrace(context);
    for (;;) {
        for (int i = 0; i < itemsPerElement; ++i) {
            if (i > 0) ExpectComma(context);
            ParseCodeOrEnumItem(context, "");
        }
        if (Accept(kTokCloseBrace)) break;
        Expect(kTokComma, context, "Comma or CloseBrace Expected!");
    }
    ExpectPropertyEnd(context);
}

}  // namespace

void ParseTypeCreatorList(const char* context) {
    ParseTypeGroup(context, 2);
}

void ParseTypeList() {
    ParseTypeGroup(kClipboardContext, 1);
}

void ParseExtensionList(const char* context) {
    bool afterComma = false;
    for (;;) {
        GetToken();
        // One comma after the last group may precede the property's close brace.
        if (afterComma && Token().kind == kTokCloseBrace) return;
        ExpectCurrent(kTokOpenBrace, context, "Open brace expected");
        GetToken();
        while (Token().kind != kTokCloseBrace) {
            if (!TokenIsCharConstant()) FatalErrorIn(context, "Type expected");
            WriteExtensionItem(Token().shortText);
            GetToken();
            if (Token().kind != kTokComma) break;
            GetToken();
        }
        ExpectCurrent(kTokCloseBrace, context, "CloseBrace Expected");
        // The token after a group is the property's close brace or separates groups.
        GetToken();
        if (Token().kind == kTokCloseBrace) return;
        afterComma = Token().kind == kTokComma;
    }
}

void ParseTypeListProperty(const TypeListRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(row.key, row.name);
    switch (row.form) {
    case kTypeCreatorPairs: ParseTypeCreatorList(row.context); break;
    case kSingleTypes: ParseTypeList(); break;
    case kExtensions: ParseExtensionList(row.context); break;
    }
    record.Close();
}

void ParseFmtFileType() {
    const char* const context = "ParseFmtFileType";
    ExpectOpenBrace(context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("fmTC"), "PIFormatFileTypeProperty");
    ParseCodeOrEnumItem(context, "");
    ExpectComma(context);
    ParseCodeOrEnumItem(context, "");
    record.Close();
    ExpectPropertyEnd(context);
}

void ParseFormatMaxSize() {
    const char* const context = "ParseFormatMaxSize";
    ExpectOpenBrace(context);
    ExpectOpenBrace(context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("mxsz"), "PIFmtMaxSizeProperty");
    WriteDecimalWord(int16_t(GetExpression()), "/* Max x */");
    ExpectComma(context);
    WriteDecimalWord(int16_t(GetExpression()), "/* Max y */");
    record.Close();
    ExpectPropertyEnd(context);
    ExpectPropertyEnd(context);
}

void ParseFormatMaxChannels() {
    const char* const context = "ParseFormatMaxChannels";
    ExpectOpenBrace(context);
    ExpectOpenBrace(context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("mxch"), "PIFmtMaxChannelsProperty");
    std::vector<int16_t> values;
    for (;;) {
        values.push_back(int16_t(GetExpression()));
        if (Accept(kTokCloseBrace)) break;
        Expect(kTokComma, context, "Comma or CloseBrace Expected");
    }
    ExpectPropertyEnd(context);
    // The line after the last value is ended by the caller.
    WriteWordRun(values);
    record.Close();
}
