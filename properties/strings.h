// String and code properties: the properties whose value is one text.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (token) and returns on the property's close
// brace; the property loop then reads the comma or close brace after it.
void ParseStringProperty(TokenRecord* token);
