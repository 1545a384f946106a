// Suite-style properties: terminology, suite import and export lists, keywords, accepted
// messages, toolbar button, import class and preview file.
#pragma once
#include "lexer/tokenizer.h"
#include "parse/steps.h"

// Each handler is entered on its property keyword (token) and returns on the property's close
// brace; the property loop then reads the comma or close brace after it.
// One handler for the eight keywords; the row is found by the keyword kind.
void ParseSuiteProperty(TokenRecord* token);

// A four-character code position: a character constant becomes a code item, the name of an
// enum constant a hex long of its value; anything else fails with "Type expected".
void ParseCodeOrEnumItem(const char* context, const char* comment);

