// The property-list converter: the 'Vtag'/'AdPr' header, the property loop and its count.
//
// Vtag:     resource 'Vtag' ( id ... ) { { [ property { , property } [,] ] } [,] } ;
//           ('AdPr' alike)
// property: keyword { ... }   (each keyword's handler reads its own braces)
#include "properties/vtag.h"

#include <cstdint>
#include <cstring>

#include "emit/items.h"
#include "emit/output.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/suggest.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/effecthost.h"
#include "properties/filtercase.h"
#include "properties/flagsets.h"
#include "properties/kind.h"
#include "properties/scalar.h"
#include "properties/strings.h"
#include "properties/suite.h"
#include "properties/typelists.h"

static const char kBodyContext[] = "ParseVtagBody";

// The handler of each property keyword, in the order of their kinds, called with the
// keyword's row.
typedef void (*PropertyHandler)();
static const PropertyHandler kPropertyHandlers[] = {
#define PROPERTY_KEYWORD(name, handler, row) [] { handler(row); },
#include "lexer/keywords.def"
};
static_assert(sizeof kPropertyHandlers / sizeof kPropertyHandlers[0] ==
                  kKwLastProperty - kKwFirstProperty + 1,
              "one handler per property keyword");

// The property keyword of a token, 0 for a token that is none. A '#' before the keyword
// (a null directive, or "#Kind") leaves the keyword in force: the word names the property.
static uint32_t PropertyKeywordOf(const TokenRecord& token) {
    const uint32_t kind = token.kind == kTokDirective ? token.wordKind : token.kind;
    return kind >= kKwFirstProperty && kind <= kKwLastProperty ? kind : 0;
}

// The handler of a property keyword token, null for any other token.
static PropertyHandler HandlerOf(const TokenRecord& token) {
    const uint32_t keyword = PropertyKeywordOf(token);
    return keyword ? kPropertyHandlers[keyword - kKwFirstProperty] : nullptr;
}

// Reads the property list between the two open braces and the inner close brace, calling
// each keyword's handler; returns the number of properties written.
static unsigned long ConvertPropertyList() {
    long count = 0;
    for (;;) {
        GetToken();
        if (Token().kind == kTokCloseBrace) break;
        // The retired code keywords write nothing and are not counted.
        const uint32_t keyword = PropertyKeywordOf(Token());
        if (keyword == kKwCode68K || keyword == kKwCodePowerPC) --count;
        const PropertyHandler handler = HandlerOf(Token());
        if (!handler)
            FatalErrorIn(kBodyContext, "Unexpected token",
                         SuggestFor(Token(), PropertyKeywordNames()));
        handler();
        WriteLineBreak();
        ++count;
        if (Accept(kTokCloseBrace)) break;
        Expect(kTokComma, kBodyContext, "Comma Expected");
    }
    return (unsigned long)count;
}

void ConvertVtag() {
    const char* typeName = strcmp(Token().shortText, "AdPr") == 0 ? "AdPr" : "Vtag";
    SkipToOpenParenthesis("ConvertVtag");
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, typeName);
    WriteDecimalWord(1, "/* First byte must always be 1 */");
    WriteDecimalLong(0, "/* kCurrentVtag Version */");
    SkipToCloseParanthesis();
    long countPosition = WriteLengthField(0, "/* Property count */");

    ExpectOpenBrace(kBodyContext);
    ExpectOpenBrace(kBodyContext);
    unsigned long count = ConvertPropertyList();

    ExpectResourceEnd(kBodyContext, "ConvertVtag");

    PatchField(countPosition, count, "Property count");
    WriteBlockEnd();
}
