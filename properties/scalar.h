// Scalar properties: single numbers, the required host, size pairs and presence flags.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (token) and returns on the property's close
// brace; the property loop then reads the comma or close brace after it.
void ParseNumberProperty(TokenRecord* token);
void ParseRequiredHost(TokenRecord* token);
void ParseSizePair(TokenRecord* token);
void ParsePresenceFlag(TokenRecord* token);
// No open brace is checked: reads up to the next close brace, whatever comes before it.
void ParseRetiredCode(TokenRecord* token);
