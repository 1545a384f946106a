// Placeholder until the converter is written: the resource is passed over.
#include "resources/converters.h"
#include "driver/convert.h"

void ConvertPate() {
    SkipResource();
}
