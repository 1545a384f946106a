// Effect-host properties: the effects host's version, flag and name records, its
// animation-filter records and the video host's effect records.
#pragma once
#include "lexer/tokenizer.h"

// One handler for the thirteen keywords; the row is found by the keyword kind.
void ParseEffectHostProperty(TokenRecord* token);
