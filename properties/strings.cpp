// String and code properties: one handler for every keyword, the details from its row.
//
// keyword { string | marker-word [,] }   (marker words only where the row allows them)
#include "properties/strings.h"

#include <string>
#include <utility>

#include "emit/items.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "properties/record.h"

struct MarkerRow {
    uint32_t keyword;
    MarkerSet set;
    const char* text;
};

// Compared in this order; the texts are written as given, without character conversion.
static const MarkerRow kMarkerTable[] = {
#define MARKER_WORD(keyword, text, set) {kKw##keyword, set, text},
#include "formats/kinds.def"
};

// The text of a marker keyword that the row accepts, or null.
static const char* MarkerText(MarkerSet set, uint32_t keyword) {
    if (set == kNoMarkers) return nullptr;
    for (const MarkerRow& marker : kMarkerTable)
        if (marker.set == set && marker.keyword == keyword) return marker.text;
    return nullptr;
}

void ParseStringProperty(const PropertyFormat& row) {
    ExpectOpenBrace(row.context);
    std::string text;
    if (!GetStringValue(text)) {
        const char* marker = MarkerText(row.detail.markers, Token().kind);
        if (!marker) FatalErrorIn(row.context, row.detail.message);
        text = marker;
    }
    FilledString value = ZeroFill(std::move(text));
    PropertyRecord record(row);
    record.Reserve(value.length);
    if (row.shape == ValueShape::kLengthString)
        WriteLengthPrefixedString(value, row.detail.comment);
    else
        WriteCString(value, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}
