// The keyword table: the kinds of the keywords and their rows, made from lexer/keywords.def
// and the kind and property rows of formats/.
#pragma once
#include <cstdint>

#include "lexer/tokenizer.h"

// Kinds of the plug-in kinds, marker words and properties, following the token kinds (the
// statement keywords have token kinds of their own).
enum KeywordKind : uint32_t {
    kKwBeforeFirst = kTokBar,
#define PLUGIN_KIND(keyword, ...) kKw##keyword,
#define MARKER_WORD(keyword, ...) kKw##keyword,
#include "formats/kinds.def"
    kKwAfterKinds,
    // Steps back one, so that the first property takes kKwAfterKinds.
    kKwBeforeProperties = kKwAfterKinds - 1,
#define PROPERTY(keyword, ...) kKw##keyword,
#include "formats/properties.def"
    kKwEnd,
    kKwFirstKind = kKwBeforeFirst + 1,
    kKwFirstProperty = kKwAfterKinds,  // the property kinds run to the end, in row order
    kKwLastProperty = kKwEnd - 1,
};

struct KeywordRow {
    const char* name;
    uint8_t caseSensitive;
    uint32_t kind;
};

extern const KeywordRow kKeywordTable[];
extern const int kKeywordCount;

// The first row, in table order, that the word matches: exactly, or in any letter case where
// the row allows it, over at most 80 characters. Null for any other word.
const KeywordRow* FindKeyword(const char* word);
// The same for a word whose HashNameNoCase is known.
const KeywordRow* FindKeyword(const char* word, uint32_t hash);
