// Suite-style properties: terminology, suite import and export lists, keywords, accepted
// messages, toolbar button, import class and preview file.
#pragma once
#include "lexer/tokenizer.h"
#include "parse/steps.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct SuiteRow;
extern const SuiteRow kHasTerminologyRow, kImportsRow, kExportsRow, kKeywordsRow, kMessagesRow,
    kButtonIconRow, kClassRow, kPreviewFileRow;

// One handler for the eight keywords, given the keyword's row.
void ParseSuiteProperty(const SuiteRow& row);

