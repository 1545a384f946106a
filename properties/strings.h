// String and code properties: names, categories, progress texts, entry points and the
// other properties whose value is one text.
#pragma once
#include "lexer/tokenizer.h"

void ParseStringProperty(TokenRecord* token);
