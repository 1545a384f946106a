// Scalar properties: single numbers, the required host, size pairs and presence flags.
#pragma once
#include "formats/properties.h"

// Each handler is entered on its property keyword (the current token), takes the keyword's
// row and returns on the property's close brace; the property loop then reads the comma or
// close brace after it.

void ParseNumberProperty(const PropertyFormat& row);  // decimal or hexadecimal by the shape
void ParseRequiredHost(const PropertyFormat& row);
void ParseSizePair(const PropertyFormat& row);
void ParsePresenceFlag(const PropertyFormat& row);
// No open brace is checked: reads up to the next close brace, whatever comes before it.
void ParseRetiredCode(const PropertyFormat& row);  // a notice, nothing written
