// Flag-set properties: positional flag lists turned into the bit layout the host reads.
//
// flag set:       keyword { flag { , flag } [,] }   (one flag per name of the row)
// SupportedModes { flag x8 , flag x2 [,] }            flag: number | name
#include "properties/flagsets.h"

#include "emit/items.h"
#include "lexer/fatal.h"
#include "parse/steps.h"
#include "properties/record.h"

namespace {

const char* const kFilterLayerNames[] = {"doesSupportFilterLayers"};
const char* const kFormatFlagNames[] = {"fmtSavesImageResources", "fmtCanRead",
                                        "fmtCanWrite",            "fmtCanWriteIfRead",
                                        "fmtCanWriteTransparency", "fmtCanCreateThumbnail"};
const char* const kICCFlagNames[] = {"iccCanEmbedGray", "iccCanEmbedIndexed", "iccCanEmbedRGB",
                                     "iccCanEmbedCMYK"};
const char* const kICCRequiredNames[] = {"iccGrayRequired", "iccIndexedRequired",
                                         "iccRGBRequired", "iccCMYKRequired"};
const char* const kHiddenFlagNames[] = {"formatReadHidden", "formatWriteHidden"};
const char* const kExportFlagNames[] = {"expSupportsTransparency"};
const char* const kFormatLayerNames[] = {"doesSupportFormatLayers"};

const char* const kModeGroup1Names[] = {
    "doesSupportBitmap",   "doesSupportGrayScale", "doesSupportIndexedColor",
    "doesSupportRGBColor", "doesSupportCMYKColor", "doesSupportHSLColor",
    "doesSupportHSBColor", "doesSupportMultichannel"};
const char* const kModeGroup2Names[] = {"doesSupportDuotone", "doesSupportLABColor"};

}  // namespace

// The bits from ParseFlagList (first item most significant) are shifted into the low byte.
struct FlagSetRow {
    uint32_t key;
    const char* name;
    const char* context;
    const char* const* names;
    int count;
    int shift;
};

#define FLAG_NAMES(a) a, int(sizeof(a) / sizeof(a[0]))

const FlagSetRow kFilterLayerSupportRow = {FourCC("flly"), "PIFilterLayerSupport",
    "ParseFilterLayerSupport", FLAG_NAMES(kFilterLayerNames), 7};
const FlagSetRow kExportFlagsRow = {FourCC("expf"), "PIExpFlagsProperty", "ParseExportFlags",
    FLAG_NAMES(kExportFlagNames), 7};
const FlagSetRow kFormatFlagsRow = {FourCC("fmtf"), "PIFmtFlagsProperty", "ParseFormatFlags",
    FLAG_NAMES(kFormatFlagNames), 1};
const FlagSetRow kFormatHiddenFlagsRow = {FourCC("fmhi"), "PIFmtHiddenFlagsProperty",
    "ParseFormatHiddenFlags", FLAG_NAMES(kHiddenFlagNames), 6};
const FlagSetRow kFormatICCFlagsRow = {FourCC("fmip"), "PIFmtICCFlagsProperty",
    "ParseFormatICCFlags", FLAG_NAMES(kICCFlagNames), 4};
const FlagSetRow kFormatICCRequiredFlagsRow = {FourCC("fmir"), "PIFmtICCRequiredFlagsProperty",
    "ParseFormatICCRequiredFlags", FLAG_NAMES(kICCRequiredNames), 4};
const FlagSetRow kFormatLayerSupportRow = {FourCC("fmsl"), "PIFmtSupportsLayersProperty",
    "ParseFormatLayerSupport", FLAG_NAMES(kFormatLayerNames), 7};

void ParseFlagSetProperty(const FlagSetRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(row.key, row.name);
    uint32_t bits = 0;
    ParseFlagList(row.context, row.names, row.count, &bits);
    WriteHexLong((bits << row.shift) & 0xFF, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseSupportedModes() {
    const char* const context = "ParseSupportedModes";
    ExpectOpenBrace(context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("mode"), "SupportedModes");
    uint32_t group1 = 0;
    ParseFlagList(context, kModeGroup1Names, 8, &group1);
    ExpectComma(context);
    uint32_t group2 = 0;
    ParseFlagList(context, kModeGroup2Names, 2, &group2);
    WriteHexWord(((group2 << 14) | group1) & 0xFFFF, "/* Supported modes */");
    WriteDecimalWord(0, "/* Reserved */");
    record.Close();
    ExpectPropertyEnd(context);
}
