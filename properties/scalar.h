// Scalar properties: versions and other single numbers, the required host, size pairs,
// presence flags and the two retired code keywords.
#pragma once
#include "lexer/tokenizer.h"

void ParseNumberProperty(TokenRecord* token);
void ParseRequiredHost(TokenRecord* token);
void ParseSizePair(TokenRecord* token);
void ParsePresenceFlag(TokenRecord* token);
void ParseRetiredCode(TokenRecord* token);
