// Spelling hints: after a fatal error at a misspelt word, the name the word most likely meant.
#pragma once
#include <cstddef>

#include "formats/names.h"
#include "lexer/tokenizer.h"

// The name among count names to suggest for word, null for none.
//
// Distance: insertions, deletions and substitutions of one character each count one edit, and
// so does a swap of two adjacent characters ("Nmae" is one edit from "Name"); letter case is
// not compared, so a difference in case alone costs nothing.
// Bound: a name that differs from the word in letter case alone is always a hit. Otherwise a
// word of 1 or 2 characters gets no suggestion (any two such words are two edits apart), a word
// of 3 to 5 characters one within 1 edit, a longer word one within 2 edits.
// Several candidates: the fewest edits win (a letter-case difference alone is the best);
// between names at the same distance, the first in the list.
const char* SuggestName(const char* word, const char* const* names, size_t count);

// The names that a position accepts, in the keyword table's order.
NameList PropertyKeywordNames();  // the property keywords
NameList KindKeywordNames();      // the plug-in kinds that Kind takes

// The name to suggest for the current token at a position that expected one of names: null
// unless the token is a plain word (no keyword, symbol or constant).
const char* SuggestFor(const TokenRecord& token, NameList names);
