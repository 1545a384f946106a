// Type and extension lists and format limits: file types, creators, extensions, clipboard
// types, the maximum image size and the maximum channel counts.
#pragma once
#include "formats/properties.h"

// Each handler is entered on its property keyword (the current token), takes the keyword's
// row and returns on the property's close brace; the property loop then reads the comma or
// close brace after it.

void ParseFmtFileType(const PropertyFormat& row);
// One handler for the type-and-creator, clipboard-type and extension lists, by the row's shape.
void ParseTypeListProperty(const PropertyFormat& row);
// The value pair sits in a second brace pair; returns on the outer close brace.
void ParseFormatMaxSize(const PropertyFormat& row);
void ParseFormatMaxChannels(const PropertyFormat& row);
