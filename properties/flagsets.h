// Flag-set properties: single-byte capability sets and the supported image modes.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (token) and returns on the property's close
// brace; the property loop then reads the comma or close brace after it.
// One handler for every single-byte flag set; the row is found by the keyword kind.
void ParseFlagSetProperty(TokenRecord* token);
void ParseSupportedModes(TokenRecord* token);
