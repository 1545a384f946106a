// The keyword table: statements, then kinds and marker words, then properties, searched in
// this order by the tokenizer.
#include "lexer/keywords.h"

#include <cstring>

#include "lexer/names.h"
#include "lexer/symbols.h"

const KeywordRow kKeywordTable[] = {
#define STATEMENT_KEYWORD(text, kind) {#text, 0, kind},
#include "lexer/keywords.def"
#define PLUGIN_KIND(keyword, ...) {#keyword, 1, kKw##keyword},
#define MARKER_WORD(keyword, ...) {#keyword, 0, kKw##keyword},
#include "formats/kinds.def"
#define PROPERTY(keyword, ...) {#keyword, 1, kKw##keyword},
#include "formats/properties.def"
};

const int kKeywordCount = sizeof(kKeywordTable) / sizeof(kKeywordTable[0]);

constexpr int kStatementCount = 0
#define STATEMENT_KEYWORD(text, kind) +1
#include "lexer/keywords.def"
    ;
static_assert(sizeof(kKeywordTable) / sizeof(kKeywordTable[0]) ==
                  kStatementCount + kKwEnd - kKwFirstKind,
              "one row per statement keyword and per keyword kind");

namespace {

// An open-addressed table of row numbers, hashed on the text in lower case, so that a word
// finds the rows of either case rule in one probe sequence.
constexpr uint32_t kSlotCount = 512;  // a power of two, over three times the rows
static_assert(kStatementCount + kKwEnd - kKwFirstKind <= kSlotCount / 3,
              "the keyword index stays sparse");
struct KeywordIndex {
    int16_t slots[kSlotCount];
    uint32_t hashes[kSlotCount];  // the hash of the slot's row, compared before its text
};

// Rows of the same text in lower case share a hash; inserted in table order, the earlier row
// comes first in their probe sequence, so the first match is the first in the table.
KeywordIndex BuildIndex() {
    KeywordIndex index;
    for (int16_t& slot : index.slots) slot = -1;
    for (int row = 0; row < kKeywordCount; ++row) {
        const uint32_t hash = HashNameNoCase(kKeywordTable[row].name);
        uint32_t slot = hash & (kSlotCount - 1);
        while (index.slots[slot] >= 0) slot = (slot + 1) & (kSlotCount - 1);
        index.slots[slot] = int16_t(row);
        index.hashes[slot] = hash;
    }
    return index;
}

}  // namespace

const KeywordRow* FindKeyword(const char* word) {
    return FindKeyword(word, HashNameNoCase(word));
}

const KeywordRow* FindKeyword(const char* word, uint32_t hash) {
    static const KeywordIndex index = BuildIndex();
    uint32_t slot = hash & (kSlotCount - 1);
    for (; index.slots[slot] >= 0; slot = (slot + 1) & (kSlotCount - 1)) {
        if (index.hashes[slot] != hash) continue;
        const KeywordRow& row = kKeywordTable[index.slots[slot]];
        bool match = row.caseSensitive ? std::strncmp(word, row.name, kIdentMax) == 0
                                       : NamesMatchNoCase(word, row.name);
        if (match) return &row;
    }
    return nullptr;
}
