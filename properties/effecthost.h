// Effect-host properties: the effects host's version, flag and name records, its
// animation-filter records and the video host's effect records.
#pragma once
#include "formats/properties.h"

// Each handler is entered on its property keyword (the current token), takes the keyword's
// row and returns on the property's close brace; the property loop then reads the comma or
// close brace after it.

void ParseWordPair(const PropertyFormat& row);  // the row's two field names
void ParseMVEffectVersion(const PropertyFormat& row);
void ParseMVGlobalFlags(const PropertyFormat& row);
void ParseMVFormatExtension(const PropertyFormat& row);
void ParseAnimFilterInfo(const PropertyFormat& row);
void ParseAnimParamAtom(const PropertyFormat& row);
void ParseRlEffectInfo(const PropertyFormat& row);
