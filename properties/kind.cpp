// Kind and Component: the kind codes, the kind code record and the component record.
//
// Kind      { kind-word | 'code' [,] }
// Component { version , string [,] }
#include "properties/kind.h"

#include <string>
#include <utility>

#include "emit/items.h"
#include "emit/text.h"
#include "formats/kinds.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/suggest.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

// The row of each keyword kind from the first kind up to the properties; none for a marker
// word.
static const PluginKindFormat* const kKindRows[] = {
#define PLUGIN_KIND(keyword, ...) &kPluginKinds[kPluginKind##keyword],
#define MARKER_WORD(keyword, ...) nullptr,
#include "formats/kinds.def"
};
static_assert(sizeof kKindRows / sizeof kKindRows[0] == kKwFirstProperty - kKwFirstKind,
              "one entry per keyword kind before the properties");

static const PluginKindFormat* FindKind(uint32_t kind) {
    if (kind < kKwFirstKind || kind >= kKwFirstProperty) return nullptr;
    return kKindRows[kind - kKwFirstKind];
}

void ParseKindProperty(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    GetToken();
    if (TokenIsCharConstant()) {
        // A literal code; a shorter constant is padded with blanks.
        WriteCodeItem(CodeFromShortText(Token().shortText), "/* Vtag ID */");
    } else if (const PluginKindFormat* kind = FindKind(Token().kind)) {
        WriteFourCharCode(kind->code, kind->description);
    } else {
        FatalErrorIn(row.context, "Invalid Type", SuggestFor(Token(), KindKeywordNames()));
    }
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseComponent(const PropertyFormat& row) {
    PropertyRecord record = OpenProperty(row);
    WriteDecimalLong(GetExpression(), "/* Version */");
    ExpectComma(row.context);
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(row.context, "String Expected");
    FilledString id = ZeroFill(std::move(text));
    WriteCString(id, "/* Unique ID */");
    record.Close();
    ExpectPropertyEnd(row.context);
}
