// Suite-style properties: terminology, suite import and export lists, keywords, accepted
// messages, toolbar button, import class and preview file.
#pragma once
#include "formats/properties.h"

// Each handler is entered on its property keyword (the current token), takes the keyword's
// row and returns on the property's close brace; the property loop then reads the comma or
// close brace after it.

void ParseTerminology(const PropertyFormat& row);
// Imports and Exports (suite names with versions) and Keywords (words alone), by the shape.
void ParseSuiteList(const PropertyFormat& row);
void ParseMessages(const PropertyFormat& row);
void ParseButtonIcon(const PropertyFormat& row);
void ParseImportClass(const PropertyFormat& row);
void ParsePreviewFile(const PropertyFormat& row);
