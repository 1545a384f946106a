// The keyword table: the kinds of the keywords and their rows, both made from keywords.def.
#pragma once
#include <cstdint>

#include "lexer/tokenizer.h"

// Kinds of the plug-in kinds, category words and properties, following the token kinds (the
// statement keywords have token kinds of their own).
enum KeywordKind : uint32_t {
    kKwBeforeFirst = kTokBar,
#define KIND_KEYWORD(name, ...) kKw##name,
#define CATEGORY_KEYWORD(name) kKw##name,
#define PROPERTY_KEYWORD(name, ...) kKw##name,
#include "lexer/keywords.def"
    kKwEnd,
    kKwFirstProperty = kKwKind,  // the property kinds run to the end
    kKwLastProperty = kKwEnd - 1,
};

struct KeywordRow {
    const char* name;
    uint8_t caseSensitive;
    uint32_t kind;
};

extern const KeywordRow kKeywordTable[];
extern const int kKeywordCount;  // 138

// The first row, in table order, that the word matches: exactly, or in any letter case where
// the row allows it, over at most 80 characters. Null for any other word.
const KeywordRow* FindKeyword(const char* word);
// The same for a word whose HashNameNoCase is known.
const KeywordRow* FindKeyword(const char* word, uint32_t hash);
