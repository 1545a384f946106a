// Spelling hints: the nearest accepted name to a misspelt word.
#include "lexer/suggest.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "lexer/keywords.h"

namespace {

char Folded(char c) {
    return (char)std::tolower((unsigned char)c);
}

// Edits from a to b, letter case ignored: insert, delete, substitute and swap of two adjacent
// characters, each one edit (restricted to swaps of characters that are not edited again).
size_t EditDistance(const char* a, size_t m, const char* b, size_t n) {
    // Three rows of the table: two before the current one, for the swap.
    std::vector<size_t> before(n + 1), previous(n + 1), current(n + 1);
    for (size_t j = 0; j <= n; ++j) previous[j] = j;
    for (size_t i = 1; i <= m; ++i) {
        current[0] = i;
        for (size_t j = 1; j <= n; ++j) {
            const bool same = Folded(a[i - 1]) == Folded(b[j - 1]);
            size_t best = std::min({previous[j] + 1, current[j - 1] + 1,
                                    previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && Folded(a[i - 1]) == Folded(b[j - 2]) &&
                Folded(a[i - 2]) == Folded(b[j - 1]))
                best = std::min(best, before[j - 2] + 1);
            current[j] = best;
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[n];
}

size_t EditsAllowed(size_t length) {
    if (length <= 2) return 0;
    if (length <= 5) return 1;
    return 2;
}

// The property keywords and the plug-in kinds, in table order.
const char* const kPropertyNames[] = {
#define PROPERTY(keyword, ...) #keyword,
#include "formats/properties.def"
};
const char* const kKindNames[] = {
#define PLUGIN_KIND(keyword, ...) #keyword,
#include "formats/kinds.def"
};

}  // namespace

const char* SuggestName(const char* word, const char* const* names, size_t count) {
    const size_t length = std::strlen(word);
    const size_t allowed = EditsAllowed(length);
    const char* best = nullptr;
    size_t bestEdits = 0;
    for (size_t k = 0; k < count; ++k) {
        const size_t edits = EditDistance(word, length, names[k], std::strlen(names[k]));
        if (edits > allowed) continue;  // a case-only difference (0 edits) always passes
        if (!best || edits < bestEdits) {
            best = names[k];
            bestEdits = edits;
        }
    }
    return best;
}

NameList PropertyKeywordNames() {
    return {kPropertyNames, int(sizeof kPropertyNames / sizeof kPropertyNames[0])};
}

NameList KindKeywordNames() {
    return {kKindNames, int(sizeof kKindNames / sizeof kKindNames[0])};
}

const char* SuggestFor(const TokenRecord& token, NameList names) {
    // A keyword of another position, a number or a string is no misspelling of a name here.
    if (token.kind != kTokIdentifier) return nullptr;
    return SuggestName(token.identText, names.names, size_t(names.count));
}
