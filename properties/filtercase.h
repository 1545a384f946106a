// Filter case info: how a filter wants its input prepared and its output treated per case.
#pragma once
#include "formats/properties.h"

// Entered on the property keyword (the current token), takes the keyword's row and returns
// on the property's close brace; the property loop then reads the comma or close brace after
// it.
void ParseFilterCaseInfo(const PropertyFormat& row);
