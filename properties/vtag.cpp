// The property-list converter: the 'Vtag'/'AdPr' header, the property loop and its count.
//
// Vtag:     resource 'Vtag' ( id ... ) { { [ property { , property } [,] ] } [,] } ;
//           ('AdPr' alike)
// property: keyword { ... }   (the handler of the keyword's value shape reads its braces)
#include "properties/vtag.h"

#include <cstdint>

#include "emit/items.h"
#include "emit/output.h"
#include "formats/properties.h"
#include "formats/rows.h"
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

// The handler of each value shape, in the order of ValueShape, called with the keyword's row.
typedef void (*PropertyHandler)(const PropertyFormat& row);
struct ShapeHandler {
    ValueShape shape;
    PropertyHandler handler;
};
static constexpr ShapeHandler kShapeHandlers[] = {
    {ValueShape::kRetired, ParseRetiredCode},
    {ValueShape::kKind, ParseKindProperty},
    {ValueShape::kComponent, ParseComponent},
    {ValueShape::kHost, ParseRequiredHost},
    {ValueShape::kNumber, ParseNumberProperty},
    {ValueShape::kHexNumber, ParseNumberProperty},
    {ValueShape::kSizePair, ParseSizePair},
    {ValueShape::kPresence, ParsePresenceFlag},
    {ValueShape::kLengthString, ParseStringProperty},
    {ValueShape::kCString, ParseStringProperty},
    {ValueShape::kFlagSet, ParseFlagSetProperty},
    {ValueShape::kModes, ParseSupportedModes},
    {ValueShape::kFilterCases, ParseFilterCaseInfo},
    {ValueShape::kTypeCreator, ParseFmtFileType},
    {ValueShape::kTypeCreatorList, ParseTypeListProperty},
    {ValueShape::kTypeList, ParseTypeListProperty},
    {ValueShape::kExtensionList, ParseTypeListProperty},
    {ValueShape::kMaxSize, ParseFormatMaxSize},
    {ValueShape::kMaxChannels, ParseFormatMaxChannels},
    {ValueShape::kTerminology, ParseTerminology},
    {ValueShape::kSuiteList, ParseSuiteList},
    {ValueShape::kKeywordList, ParseSuiteList},
    {ValueShape::kMessages, ParseMessages},
    {ValueShape::kButtonIcon, ParseButtonIcon},
    {ValueShape::kImportClass, ParseImportClass},
    {ValueShape::kPreviewFile, ParsePreviewFile},
    {ValueShape::kWordPair, ParseWordPair},
    {ValueShape::kEffectVersion, ParseMVEffectVersion},
    {ValueShape::kGlobalOutFlags, ParseMVGlobalFlags},
    {ValueShape::kFormatExtension, ParseMVFormatExtension},
    {ValueShape::kAnimFilterInfo, ParseAnimFilterInfo},
    {ValueShape::kAnimParamAtom, ParseAnimParamAtom},
    {ValueShape::kRlEffectInfo, ParseRlEffectInfo},
};

static_assert(IndexedInOrder(kShapeHandlers, &ShapeHandler::shape, size_t(ValueShape::kCount)),
              "one handler per value shape, in the shapes' order");

// The property keyword of a token, 0 for a token that is none. A '#' before the keyword
// (a null directive, or "#Kind") leaves the keyword in force: the word names the property.
static uint32_t PropertyKeywordOf(const TokenRecord& token) {
    const uint32_t kind = token.kind == kTokDirective ? token.wordKind : token.kind;
    return kind >= kKwFirstProperty && kind <= kKwLastProperty ? kind : 0;
}

// The row of a property keyword token, null for any other token.
static const PropertyFormat* RowOf(const TokenRecord& token) {
    const uint32_t keyword = PropertyKeywordOf(token);
    return keyword ? &kPropertyFormats[keyword - kKwFirstProperty] : nullptr;
}

// Reads the property list between the two open braces and the inner close brace, calling
// each keyword's handler; returns the number of properties written.
static unsigned long ConvertPropertyList() {
    long count = 0;
    for (;;) {
        GetToken();
        if (Token().kind == kTokCloseBrace) break;
        const PropertyFormat* row = RowOf(Token());
        if (!row)
            FatalErrorIn(kBodyContext, "Unexpected token",
                         SuggestFor(Token(), PropertyKeywordNames()));
        kShapeHandlers[int(row->shape)].handler(*row);
        WriteLineBreak();
        // The retired code keywords write nothing and are not counted.
        if (row->shape != ValueShape::kRetired) ++count;
        if (Accept(kTokCloseBrace)) break;
        Expect(kTokComma, kBodyContext, "Comma Expected");
    }
    return (unsigned long)count;
}

void ConvertVtag(const char* type) {
    SkipToOpenParenthesis("ConvertVtag");
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, type);
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
