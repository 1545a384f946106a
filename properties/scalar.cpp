// Scalar properties: a table of rows per family and one handler shape for each family.
//
// number:       keyword { expression [,] }
// RequiredHost  { 'code' | number [,] }
// size pair:    keyword { expression , expression ... }   (the rest up to } is ignored)
// presence:     keyword { ... }
#include "properties/scalar.h"

#include "core/diagnostics.h"
#include "emit/items.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"

static const char kVersionComment[] = "/* (Major << 16) | Minor */";

// One expression written as a long.
struct NumberRow {
    uint32_t vendor;
    uint32_t key;
    const char* name;
    bool hex;
    const char* comment;
    const char* context;
};

const NumberRow kVersionRow = {kVendorLMTR, FourCC("vers"), "PIVersionProperty", true,
    kVersionComment, "ParseVersionProperty"};
const NumberRow kPriorityRow = {kVendorLMTR, FourCC("prty"), "PIPriorityProperty", false, "",
    "ParsePriority"};
const NumberRow kFormatFileSizeLimitRow = {kVendorLMTR, FourCC("fslm"),
    "PIFmtFileSizeLimitProperty", false, "/* size limit */", "ParseFormatFileSizeLimit"};
const NumberRow kInterfaceVersionRow = {kVendorORVN, FourCC("ivrs"), "InterfaceVersionProperty",
    true, kVersionComment, "ParseInterfaceVersion"};
const NumberRow kAdapterVersionRow = {kVendorORVN, FourCC("adpt"), "AdapterVersionProperty", true,
    "", "ParseAdapterVersion"};
const NumberRow kHV_STSPRow = {kVendorORVN, FourCC("STSP"), "HV_STSP", true, "", "ParseHV_STSP"};

// Two expressions, each a decimal long.
struct SizePairRow {
    uint32_t key;
    const char* name;
    const char* context;
};

const SizePairRow kPlugInMaxSizeRow = {FourCC("ms32"), "PlugInMaxSize", "ParseMaxImageSize"};
const SizePairRow kPlugInMinSizeRow = {FourCC("mn32"), "PlugInMinSize", "ParseMinImageSize"};

// Presence flags: the value is always 1; the property name is the keyword.
struct PresenceRow {
    uint32_t key;
    const char* name;
    const char* context;
};

const PresenceRow kWantsScrapRow = {FourCC("wnsc"), "WantsScrap", "ParseWantsScrap"};
const PresenceRow kFileBrowserAwareRow = {FourCC("fbaw"), "FileBrowserAware",
    "ParseFileBrowserAware"};
const PresenceRow kNoAboutBoxRow = {FourCC("nabo"), "NoAboutBox", "ParseNoAboutBox"};
const PresenceRow kLegacyFilterGalleryMenuItemRow = {FourCC("lFGm"), "LegacyFilterGalleryMenuItem",
    "ParseLegacyFilterMenu"};
const PresenceRow kPositionDependentRow = {FourCC("posd"), "PositionDependent",
    "ParsePositionDependent"};
const PresenceRow kMonitorScalingAwareRow = {FourCC("pmsa"), "MonitorScalingAware",
    "ParseMonitorScalingAware"};
const PresenceRow kFilePropertiesRow = {FourCC("ffps"), "FileProperties", "ParseFileProperties"};
const PresenceRow kLosslessRotateRow = {FourCC("fllr"), "LosslessRotate", "ParseLosslessRotate"};
const PresenceRow kBulkSettingsRow = {FourCC("ffbs"), "BulkSettings", "ParseBulkSettings"};
const PresenceRow kPrimaryMetadataSourceRow = {FourCC("ffpm"), "PrimaryMetadataSource",
    "ParsePrimaryMetadataSource"};
const PresenceRow kPrimaryThumbnailSourceRow = {FourCC("ffpt"), "PrimaryThumbnailSource",
    "ParsePrimaryThumbnailSource"};
const PresenceRow kXMPReadRow = {FourCC("xmpr"), "XMPRead", "ParseXMPRead"};
const PresenceRow kXMPWriteRow = {FourCC("xmpw"), "XMPWrite", "ParseXMPWrite"};
const PresenceRow kQuickExtractThumbnailRow = {FourCC("qthm"), "QuickExtractThumbnail",
    "ParseQuickExtractThumbnail"};
const PresenceRow kBulkOpenRow = {FourCC("ffbo"), "BulkOpen", "ParseBulkOpen"};
const PresenceRow kLoadUnloadRow = {FourCC("piLU"), "LoadUnload", "ParseLoadUnload"};
const PresenceRow kPreferencesRow = {FourCC("piPF"), "Preferences", "ParsePreferences"};
const PresenceRow kRawSettingsRow = {FourCC("rscp"), "RawSettings", "ParseRawSettings"};
const PresenceRow kOpenWriteAccessRow = {FourCC("fowa"), "OpenWriteAccess", "ParseOpenWriteAccess"};
const PresenceRow kWarnIfOverriddenRow = {FourCC("fwio"), "WarnIfOverridden",
    "ParseWarnIfOverridden"};
const PresenceRow kResourceThreadSafeRow = {FourCC("frts"), "ResourceThreadSafe",
    "ParseResourceThreadSafe"};
const PresenceRow kSupportsBackgroundSaveRow = {FourCC("fbgs"), "SupportsBackgroundSave",
    "ParseSupportsBackgroundSave"};
const PresenceRow kSupportsPOSIXIORow = {FourCC("fxio"), "SupportsPOSIXIO", "ParseSupportsPOSIXIO"};
const PresenceRow kSupportsPluginOpeningFileRow = {FourCC("fpof"), "SupportsPluginOpeningFile",
    "ParseSupportsPluginOpeningFile"};
const PresenceRow kPersistentRow = {FourCC("prst"), "Persistent", "ParsePersistent"};
const PresenceRow kLoadWithAlteredSearchPathRow = {FourCC("adll"), "LoadWithAlteredSearchPath",
    "ParseLoadWithAlteredSearchPath"};
const PresenceRow kReentrantRow = {FourCC("reen"), "Reentrant", "ParseReentrant"};
const PresenceRow kFormatLayerSupportReadOnlyRow = {FourCC("slRO"), "FormatLayerSupportReadOnly",
    "ParseFormatLayerSupportReadOnly"};
const PresenceRow kStackRendererRow = {FourCC("sRnd"), "StackRenderer", "StackRenderer"};
const PresenceRow kEditinPluginRow = {FourCC("ediP"), "EditinPlugin", "EditinPlugin"};
const PresenceRow kPluginLaunchesEditorRow = {FourCC("piLe"), "PluginLaunchesEditor",
    "PluginLaunchesEditor"};

void ParseNumberProperty(const NumberRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    PropertyRecord record(row.key, row.name);
    int32_t value = GetExpression();
    if (row.hex)
        WriteHexLong((uint32_t)value, row.comment);
    else
        WriteDecimalLong(value, row.comment);
    record.Close();
    ExpectPropertyEnd(row.context);
}

void ParseRequiredHost() {
    static const char kContext[] = "ParseRequiredHost";
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("host"), "PIRequiredHostProperty");
    GetToken();
    if (TokenIsCharConstant())
        WriteCodeItem(CodeFromShortText(Token().shortText), "");
    else if (Token().kind == kTokNumber)
        WriteHexLong(Token().number, "");
    else
        FatalErrorIn(kContext, "Type or number expected");
    record.Close();
    ExpectPropertyEnd(kContext);
}

void ParseSizePair(const SizePairRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(GetExpression(), "");
    ExpectComma(row.context);
    WriteDecimalLong(GetExpression(), "");
    record.Close();
    GetToCloseBrace();  // anything after the second value is ignored
}

void ParsePresenceFlag(const PresenceRow& row) {
    ExpectOpenBrace(row.context);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(row.key, row.name);
    WriteDecimalLong(1, "");
    record.Close();
    GetToCloseBrace();  // the contents play no part
}

void ParseRetiredCode(const char* keyword) {
    ReportText(Severity::kText, true, "Unsupported Property %s", keyword);
    GetToCloseBrace();
}
