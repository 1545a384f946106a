// Add-in category resource ('AdIn'): categories of filters, each filter with 16-bit values.
//
// AdIn:     resource 'AdIn' ( id ... ) { { category* } [,] } ;
// category: name , { filter* }
// filter:   name , { number* }
// Members may be separated by commas; one comma may precede a close brace.
#include <cstdint>
#include <string>
#include <utility>

#include "emit/items.h"
#include "emit/output.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "resources/converters.h"

// Reads the category or filter name and writes it length-prefixed and zero-terminated,
// filled to a multiple of four bytes.
static void WritePaddedName(const char* context) {
    std::string name;
    if (!GetStringValue(name)) FatalErrorIn(context, "String Expected");
    FilledString padded = ZeroFill(std::move(name));
    WriteLengthPrefixedString(padded, "");
}

// The comma after a name and the open brace of the list that follows it.
static void ExpectCommaAndOpenBrace(const char* context) {
    ExpectComma(context);
    ExpectOpenBrace(context);
}

// One filter: name, then its values in braces; the current token is left at the brace that
// closes the values.
static void ParseOneFilter() {
    const char* context = "ParseOneFilter";
    WritePaddedName(context);
    long countPlace = WriteCountField("/* Property count */");
    ExpectCommaAndOpenBrace(context);
    unsigned long count = 0;
    GetToken();
    while (Token().kind != kTokCloseBrace) {
        if (Token().kind != kTokNumber) FatalError("ParseOneFilterProperty: Number Expected");
        WriteDecimalWord(int16_t(uint16_t(Token().number)), "/* Property value */");
        ++count;
        GetTokenAfterMember();
    }
    PatchField(countPlace, count, "Property count");
}

// One category: its size (its bytes, measured) and filter count, patched at the end, then its
// name and filter list; the current token is left at the brace that closes the filters.
static void ParseAddInCategory() {
    const char* context = "ParseAddInCategory";
    const unsigned long start = CompiledBytes();
    long sizePlace = WriteCountField("/* Size of category */");
    long countPlace = WriteCountField("/* Filter count */");
    WritePaddedName(context);
    ExpectCommaAndOpenBrace(context);
    unsigned long count = 0;
    GetToken();
    while (Token().kind != kTokCloseBrace) {
        ParseOneFilter();
        ++count;
        GetTokenAfterMember();
    }
    PatchField(sizePlace, CompiledBytes() - start, "Size of category");
    PatchField(countPlace, count, "Filter count");
}

void ConvertAddIns(const char* type) {
    const char* context = "ConvertAddIns";
    SkipToOpenParenthesis(context);
    WriteBlockStart(int16_t(uint16_t(GetResourceID())), type);
    WriteDecimalWord(1, "/* First byte must always be 1 */");
    SkipToCloseParanthesis();
    long countPlace = WriteCountField("/* Category count */");
    ExpectOpenBrace(context);
    ExpectOpenBrace(context);
    unsigned long count = 0;
    GetToken();
    while (Token().kind != kTokCloseBrace) {
        ParseAddInCategory();
        ++count;
        GetTokenAfterMember();
    }
    ExpectResourceEnd(context, context);
    PatchField(countPlace, count, "Category count");
    WriteBlockEnd();
}
