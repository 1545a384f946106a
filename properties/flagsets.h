// Flag-set properties: single-byte capability sets and the supported image modes.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct FlagSetRow;
extern const FlagSetRow kFilterLayerSupportRow, kExportFlagsRow, kFormatFlagsRow,
    kFormatHiddenFlagsRow, kFormatICCFlagsRow, kFormatICCRequiredFlagsRow, kFormatLayerSupportRow;

// One handler for every single-byte flag set, given the keyword's row.
void ParseFlagSetProperty(const FlagSetRow& row);
void ParseSupportedModes();
