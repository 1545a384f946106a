// Suite-style properties: terminology, suite import and export lists, keywords, accepted
// messages, toolbar button, import class and preview file.
#pragma once
#include "lexer/tokenizer.h"
#include "parse/steps.h"

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct SuiteRow;
extern const SuiteRow kHasTerminologyRow, kImportsRow, kExportsRow, kKeywordsRow, kMessagesRow,
    kButtonIconRow, kClassRow, kPreviewFileRow;

// One handler for the eight keywords, given the keyword's row.
void ParseSuiteProperty(const SuiteRow& row);

// A four-character code position: a character constant becomes a code item, the name of an
// enum constant a hex long of its value; anything else fails with "Type expected".
void ParseCodeOrEnumItem(const char* context, const char* comment);

