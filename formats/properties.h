// The property records: one row per property keyword (properties.def), indexed by the
// converter's keyword kind and by the dump's record key.
#pragma once
#include <cstdint>

#include "formats/names.h"

// The layout of a property's value. The converter has one handler per shape, the dump one
// check and one printer per shape.
enum class ValueShape : uint8_t {
    kRetired,  // Code68K, CodePowerPC: a notice, no record
    kKind, kComponent, kHost,
    kNumber, kHexNumber, kSizePair, kPresence,
    kLengthString, kCString,
    kFlagSet, kModes, kFilterCases,
    kTypeCreator, kTypeCreatorList, kTypeList, kExtensionList, kMaxSize, kMaxChannels,
    kTerminology, kSuiteList, kKeywordList, kMessages, kButtonIcon, kImportClass, kPreviewFile,
    kWordPair, kEffectVersion, kGlobalOutFlags, kFormatExtension, kAnimFilterInfo,
    kAnimParamAtom, kRlEffectInfo,
    kCount
};

// Which marker words a string property takes in place of a string (kinds.def).
enum MarkerSet : uint8_t { kNoMarkers, kCategoryMarkers, kProgressMarker };

// What a shape needs beyond the record's identity; unused fields stay empty.
struct ShapeDetail {
    const char* comment;    // numbers and strings: the comment written with the value
    const char* message;    // strings: the error when the string is missing
    const NameList* names;  // flag sets: one name per flag item
    int shift;              // flag sets: where the items' bits go in the low byte
    MarkerSet markers;      // strings
    const char* first;      // word pairs: the field names of the two words
    const char* second;
};

struct PropertyFormat {
    const char* keyword;
    uint32_t vendor;
    uint32_t key;
    const char* record;   // the record's name in the script's comments
    const char* context;  // the function named in its error messages
    ValueShape shape;
    ShapeDetail detail;
};

extern const PropertyFormat kPropertyFormats[];
extern const int kPropertyFormatCount;

// The row of a record key (the retired keywords have none), or null.
const PropertyFormat* FindPropertyFormat(uint32_t key);

// The flag bits a flag-set row may set in its low byte.
constexpr uint32_t FlagSetMask(const ShapeDetail& detail) {
    return ListBits(*detail.names) << detail.shift & 0xFF;
}
