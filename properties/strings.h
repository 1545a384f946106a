// String and code properties: the properties whose value is one text.
#pragma once
#include "lexer/tokenizer.h"

void ParseStringProperty(TokenRecord* token);
