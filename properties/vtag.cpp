// Placeholder until the converter is written: the resource is passed over.
#include "properties/vtag.h"
#include "driver/convert.h"

void ConvertVtag() {
    SkipResource();
}
