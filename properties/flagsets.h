// Flag-set properties: single-byte capability sets and the supported image modes.
#pragma once
#include "lexer/tokenizer.h"

// One handler for every single-byte flag set; the row is found by the keyword kind.
void ParseFlagSetProperty(TokenRecord* token);
void ParseSupportedModes(TokenRecord* token);
