// The property rows of properties.def as a table.
#include "formats/properties.h"

#include "formats/codes.h"

namespace {

const char kVersionComment[] = "/* (Major << 16) | Minor */";

}  // namespace

// Each shape's detail in full: comment, message, names, shift, markers, first, second.
#define DETAIL(comment, message, names, shift, markers) \
    {comment, message, names, shift, markers, nullptr, nullptr}
#define NUMBER(comment) ValueShape::kNumber, DETAIL(comment, nullptr, nullptr, 0, kNoMarkers)
#define HEX_NUMBER(comment) \
    ValueShape::kHexNumber, DETAIL(comment, nullptr, nullptr, 0, kNoMarkers)
#define LENGTH_STRING(message, comment, markers) \
    ValueShape::kLengthString, DETAIL(comment, message, nullptr, 0, markers)
#define C_STRING(message) ValueShape::kCString, DETAIL("", message, nullptr, 0, kNoMarkers)
#define FLAG_SET(names, shift) \
    ValueShape::kFlagSet, DETAIL("", nullptr, &names, shift, kNoMarkers)
#define WORD_PAIR(first, second) \
    ValueShape::kWordPair, {"", nullptr, nullptr, 0, kNoMarkers, first, second}
#define SHAPE(name) ValueShape::k##name, DETAIL("", nullptr, nullptr, 0, kNoMarkers)

const PropertyFormat kPropertyFormats[] = {
#define PROPERTY(keyword, vendor, key, record, context, shape) \
    {#keyword, FourCC(#vendor), FourCC(#key), record, context, shape},
#include "formats/properties.def"
};

#undef NUMBER
#undef HEX_NUMBER
#undef LENGTH_STRING
#undef C_STRING
#undef FLAG_SET
#undef WORD_PAIR
#undef SHAPE
#undef DETAIL

const int kPropertyFormatCount = int(sizeof kPropertyFormats / sizeof kPropertyFormats[0]);

const PropertyFormat* FindPropertyFormat(uint32_t key) {
    for (const PropertyFormat& row : kPropertyFormats) {
        if (row.key == key && row.shape != ValueShape::kRetired) return &row;
    }
    return nullptr;
}
