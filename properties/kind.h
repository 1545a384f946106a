// Kind and Component: the plug-in's kind code and its component version and identifier.
#pragma once
#include "formats/properties.h"

// Each handler is entered on its property keyword (the current token), takes the keyword's
// row and returns on the property's close brace; the property loop then reads the comma or
// close brace after it.

void ParseKindProperty(const PropertyFormat& row);
void ParseComponent(const PropertyFormat& row);
