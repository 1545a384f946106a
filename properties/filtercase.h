// Filter case info: how a filter wants its input prepared and its output treated per case.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

void ParseFilterCaseInfo();
