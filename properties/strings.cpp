// String and code properties: one table row per keyword, one handler for all of them.
//
// keyword { string | marker-word [,] }   (marker words only where the row allows them)
#include "properties/strings.h"

#include <string>
#include <utility>

#include "emit/items.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "parse/steps.h"
#include "properties/record.h"

enum StringForm { kLengthPrefixed, kCString };
// Which fixed marker words a property takes in place of a string.
enum MarkerSet { kNoMarkers, kCategoryMarkers, kProgressMarker };

struct StringRow {
    StringForm form;
    uint32_t vendor;
    uint32_t key;
    const char* name;
    const char* context;
    const char* missingMessage;
    const char* comment;
    MarkerSet markers;
};

const StringRow kNameRow = {kLengthPrefixed, kVendorLMTR, FourCC("name"), "PINameProperty",
    "ParseName", "String Expected", "", kNoMarkers};
const StringRow kZStringNameRow = {kLengthPrefixed, kVendorLMTR, FourCC("znam"),
    "PIZStringNameProperty", "ParseZStringName", "String Expected", "", kNoMarkers};
const StringRow kCategoryRow = {kLengthPrefixed, kVendorLMTR, FourCC("catg"), "PICategoryProperty",
    "ParseCategory", "String Expected", "", kCategoryMarkers};
const StringRow kZStringCategoryRow = {kLengthPrefixed, kVendorLMTR, FourCC("zcat"),
    "PIZStringCategoryProperty", "ParseZStringCategory", "String Expected", "", kCategoryMarkers};
const StringRow kProgressTextRow = {kLengthPrefixed, kVendorLMTR, FourCC("prog"),
    "PIProgressTextProperty", "ParseProgressText", "String Expected", "", kProgressMarker};
const StringRow kZStringProgressTextRow = {kLengthPrefixed, kVendorLMTR, FourCC("zpro"),
    "PIZStringProgressTextProperty", "ParseZStringProgressText", "String Expected", "",
    kProgressMarker};
const StringRow kFeatureEnabledRow = {kLengthPrefixed, kVendorLMTR, FourCC("feen"),
    "PIFeatureEnabledProperty", "ParseFeatureEnabled", "String Expected", "", kNoMarkers};
const StringRow kPickerIDRow = {kLengthPrefixed, kVendorLMTR, FourCC("pnme"), "PickerID",
    "ParsePicker", "String expected", "/* Picker name */", kNoMarkers};
const StringRow kCodeWin32X86Row = {kCString, kVendorLMTR, FourCC("wx86"), "PIWin32X86CodeProperty",
    "ParseCodeWin32X86", "String Expected", "", kNoMarkers};
const StringRow kCodeWin64X86Row = {kCString, kVendorLMTR, FourCC("8664"), "PIWin64X86CodeProperty",
    "ParseCodeWin64X86", "String Expected", "", kNoMarkers};
const StringRow kCodeWin64ARMRow = {kCString, kVendorLMTR, FourCC("wa64"), "PIWin64ARMCodeProperty",
    "ParseCodeWin64ARM", "String Expected", "", kNoMarkers};
const StringRow kEnableInfoRow = {kCString, kVendorLMTR, FourCC("enbl"), "EnableInfoProperty",
    "ParseEnableInfo", "String Expected", "", kNoMarkers};
const StringRow kInternalNameRow = {kCString, kVendorORVN, FourCC("pinm"), "Plug-In Name",
    "ParseInternalName", "String expected", "", kNoMarkers};
const StringRow kDescriptionRow = {kCString, kVendorORVN, FourCC("desc"), "Description",
    "ParseDescription", "String expected", "", kNoMarkers};
const StringRow kTitleRow = {kCString, kVendorORVN, FourCC("titl"), "Title", "ParseTitle",
    "String expected", "", kNoMarkers};

struct MarkerRow {
    uint32_t keyword;
    MarkerSet set;
    const char* text;
};

// Compared in this order; the texts are written as given, without character conversion.
static const MarkerRow kMarkerTable[] = {
    {kKwLMHelpMenu, kCategoryMarkers, "**Help**"},
    {kKwLMHidden, kCategoryMarkers, "**Hidden**"},
    {kKwLMCopyrightChecker, kCategoryMarkers, "**Copyright-Checker**"},
    {kKwLMPlugInHandlesProgess, kProgressMarker, "**No-Progress**"},
};

// The text of a marker keyword that the row accepts, or null.
static const char* MarkerText(const StringRow& row, uint32_t keyword) {
    if (row.markers == kNoMarkers) return nullptr;
    for (const MarkerRow& marker : kMarkerTable)
        if (marker.set == row.markers && marker.keyword == keyword) return marker.text;
    return nullptr;
}

void ParseStringProperty(const StringRow& row) {
    ExpectOpenBrace(row.context);
    std::string text;
    if (!GetStringValue(text)) {
        const char* marker = MarkerText(row, Token().kind);
        if (!marker) FatalErrorIn(row.context, row.missingMessage);
        text = marker;
    }
    FilledString value = ZeroFill(std::move(text));
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    record.Reserve(value.length);
    if (row.form == kLengthPrefixed)
        WriteLengthPrefixedString(value, row.comment);
    else
        WriteCString(value, "");
    record.Close();
    ExpectPropertyEnd(row.context);
}
