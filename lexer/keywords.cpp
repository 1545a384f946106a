// The keyword table: the rows of keywords.def, searched in this order by the tokenizer.
#include "lexer/keywords.h"

const KeywordRow kKeywordTable[] = {
#define STATEMENT_KEYWORD(text, kind) {#text, 0, kind},
#define KIND_KEYWORD(name, ...) {#name, 1, kKw##name},
#define CATEGORY_KEYWORD(name) {#name, 0, kKw##name},
#define PROPERTY_KEYWORD(name, ...) {#name, 1, kKw##name},
#include "lexer/keywords.def"
};

const int kKeywordCount = sizeof(kKeywordTable) / sizeof(kKeywordTable[0]);
static_assert(sizeof(kKeywordTable) / sizeof(kKeywordTable[0]) == 3 + kKwEnd - kKwFilter,
              "one row per statement keyword and per keyword kind");
