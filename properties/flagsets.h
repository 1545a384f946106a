// Flag-set properties: single-byte capability sets and the supported image modes.
#pragma once
#include "formats/properties.h"

// Each handler is entered on its property keyword (the current token), takes the keyword's
// row and returns on the property's close brace; the property loop then reads the comma or
// close brace after it.

// One handler for every single-byte flag set: the row's names and shift.
void ParseFlagSetProperty(const PropertyFormat& row);
void ParseSupportedModes(const PropertyFormat& row);
