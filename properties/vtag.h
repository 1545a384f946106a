// The property-list resource converter ('Vtag' and 'AdPr').
#pragma once

void ConvertVtag();
