// Effect-host properties: the effects host's version, flag and name records, its
// animation-filter records and the video host's effect records.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (token) and returns on the property's close
// brace; the property loop then reads the comma or close brace after it.
// One handler for the thirteen keywords; the row is found by the keyword kind.
void ParseEffectHostProperty(TokenRecord* token);
