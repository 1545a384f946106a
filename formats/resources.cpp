// The resource types of resources.def as a table.
#include "formats/resources.h"

const ResourceFormat kResourceFormats[] = {
#define RESOURCE_TYPE(source, statement, stored, form) {source, statement, stored, form},
#include "formats/resources.def"
};

const int kResourceFormatCount = int(sizeof kResourceFormats / sizeof kResourceFormats[0]);
