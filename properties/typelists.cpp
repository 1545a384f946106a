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
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace {

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

// Groups of extensions, read up to the property's close brace.
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

}  // namespace

void ParseTypeListProperty(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    if (row.shape == ValueShape::kExtensionList)
        ParseExtensionList(row.context);
    else
        ParseTypeGroup(row.context, row.shape == ValueShape::kTypeCreatorList ? 2 : 1);
    record.Close();
}

void ParseFmtFileType(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    ParseCodeOrEnumItem(row.context, "");
    ExpectComma(row.context);
    ParseCodeOrEnumItem(row.context, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseFormatMaxSize(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    PropertyRecord record = OpenProperty(row);
    WriteDecimalWord(int16_t(GetExpression()), "/* Max x */");
    ExpectComma(row.context);
    WriteDecimalWord(int16_t(GetExpression()), "/* Max y */");
    record.Close();
    ExpectPropertyEnd(row.context);
    ExpectPropertyEnd(row.context);
}

void ParseFormatMaxChannels(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    PropertyRecord record = OpenProperty(row);
    std::vector<int16_t> values;
    for (;;) {
        values.push_back(int16_t(GetExpression()));
        if (Accept(kTokCloseBrace)) break;
        Expect(kTokComma, row.context, "Comma or CloseBrace Expected");
    }
    ExpectPropertyEnd(row.context);
    // The line after the last value is ended by the caller.
    WriteWordRun(values);
    record.Close();
}
