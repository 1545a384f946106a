// String and code properties: the properties whose value is one text.
#pragma once
#include "formats/properties.h"

// Entered on the property keyword (the current token), takes the keyword's row and returns on
// the property's close brace; the property loop then reads the comma or close brace after it.
// A length-prefixed or a C string by the row's shape.
void ParseStringProperty(const PropertyFormat& row);
