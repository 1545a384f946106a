// The property-list resource converter ('Vtag' and 'AdPr').
#pragma once

// Entered on the resource type ('Vtag' or 'AdPr') and returns on the semicolon that ends the
// resource; type is the one the script names.
void ConvertVtag(const char* type);
