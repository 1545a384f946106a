// Scalar properties: single numbers, the required host, size pairs and presence flags.
#pragma once
#include "lexer/tokenizer.h"

void ParseNumberProperty(TokenRecord* token);
void ParseRequiredHost(TokenRecord* token);
void ParseSizePair(TokenRecord* token);
void ParsePresenceFlag(TokenRecord* token);
void ParseRetiredCode(TokenRecord* token);
