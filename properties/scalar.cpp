// Scalar properties: a table of rows per family and one handler shape for each family.
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
    uint32_t keyword;
    uint32_t vendor;
    uint32_t key;
    const char* name;
    bool hex;
    const char* comment;
    const char* context;
};

static const NumberRow kNumberTable[] = {
    {62, kVendorLMTR, FourCC("vers"), "PIVersionProperty", true, kVersionComment,
     "ParseVersionProperty"},
    {63, kVendorLMTR, FourCC("prty"), "PIPriorityProperty", false, "", "ParsePriority"},
    {97, kVendorLMTR, FourCC("fslm"), "PIFmtFileSizeLimitProperty", false, "/* size limit */",
     "ParseFormatFileSizeLimit"},
    {143, kVendorORVN, FourCC("ivrs"), "InterfaceVersionProperty", true, kVersionComment,
     "ParseInterfaceVersion"},
    {150, kVendorORVN, FourCC("adpt"), "AdapterVersionProperty", true, "",
     "ParseAdapterVersion"},
    {151, kVendorORVN, FourCC("STSP"), "HV_STSP", true, "", "ParseHV_STSP"},
};

// Two expressions, each a decimal long.
struct SizePairRow {
    uint32_t keyword;
    uint32_t key;
    const char* name;
    const char* context;
};

static const SizePairRow kSizePairTable[] = {
    {79, FourCC("ms32"), "PlugInMaxSize", "ParseMaxImageSize"},
    {80, FourCC("mn32"), "PlugInMinSize", "ParseMinImageSize"},
};

// Presence flags: the value is always 1; the property name is the keyword.
struct PresenceRow {
    uint32_t keyword;
    uint32_t key;
    const char* name;
    const char* context;
};

static const PresenceRow kPresenceTable[] = {
    {76, FourCC("wnsc"), "WantsScrap", "ParseWantsScrap"},
    {77, FourCC("fbaw"), "FileBrowserAware", "ParseFileBrowserAware"},
    {78, FourCC("nabo"), "NoAboutBox", "ParseNoAboutBox"},
    {85, FourCC("lFGm"), "LegacyFilterGalleryMenuItem", "ParseLegacyFilterMenu"},
    {83, FourCC("posd"), "PositionDependent", "ParsePositionDependent"},
    {84, FourCC("pmsa"), "MonitorScalingAware", "ParseMonitorScalingAware"},
    {102, FourCC("ffps"), "FileProperties", "ParseFileProperties"},
    {103, FourCC("fllr"), "LosslessRotate", "ParseLosslessRotate"},
    {104, FourCC("ffbs"), "BulkSettings", "ParseBulkSettings"},
    {105, FourCC("ffpm"), "PrimaryMetadataSource", "ParsePrimaryMetadataSource"},
    {106, FourCC("ffpt"), "PrimaryThumbnailSource", "ParsePrimaryThumbnailSource"},
    {107, FourCC("xmpr"), "XMPRead", "ParseXMPRead"},
    {108, FourCC("xmpw"), "XMPWrite", "ParseXMPWrite"},
    {109, FourCC("qthm"), "QuickExtractThumbnail", "ParseQuickExtractThumbnail"},
    {110, FourCC("ffbo"), "BulkOpen", "ParseBulkOpen"},
    {111, FourCC("piLU"), "LoadUnload", "ParseLoadUnload"},
    {112, FourCC("piPF"), "Preferences", "ParsePreferences"},
    {113, FourCC("rscp"), "RawSettings", "ParseRawSettings"},
    {114, FourCC("fowa"), "OpenWriteAccess", "ParseOpenWriteAccess"},
    {115, FourCC("fwio"), "WarnIfOverridden", "ParseWarnIfOverridden"},
    {116, FourCC("frts"), "ResourceThreadSafe", "ParseResourceThreadSafe"},
    {117, FourCC("fbgs"), "SupportsBackgroundSave", "ParseSupportsBackgroundSave"},
    {118, FourCC("fxio"), "SupportsPOSIXIO", "ParseSupportsPOSIXIO"},
    {119, FourCC("fpof"), "SupportsPluginOpeningFile", "ParseSupportsPluginOpeningFile"},
    {126, FourCC("prst"), "Persistent", "ParsePersistent"},
    {127, FourCC("adll"), "LoadWithAlteredSearchPath", "ParseLoadWithAlteredSearchPath"},
    {128, FourCC("reen"), "Reentrant", "ParseReentrant"},
    {160, FourCC("slRO"), "FormatLayerSupportReadOnly", "ParseFormatLayerSupportReadOnly"},
    {161, FourCC("sRnd"), "StackRenderer", "StackRenderer"},
    {162, FourCC("ediP"), "EditinPlugin", "EditinPlugin"},
    {163, FourCC("piLe"), "PluginLaunchesEditor", "PluginLaunchesEditor"},
};

// Finds the row of a keyword in one of the tables above.
template <typename Row, size_t N>
static const Row& FindRow(const Row (&table)[N], uint32_t keyword) {
    for (const Row& row : table)
        if (row.keyword == keyword) return row;
    FatalError("scalar property: no table row for this keyword");
}

void ParseNumberProperty(TokenRecord* token) {
    const NumberRow& row = FindRow(kNumberTable, token->kind);
    ExpectOpenBrace(row.context);
    WriteVendorCode(row.vendor);
    WritePropertyHeader(row.key, row.name, 4);
    int32_t value = GetExpression();
    if (row.hex)
        WriteHexLong((uint32_t)value, row.comment);
    else
        WriteDecimalLong(value, row.comment);
    ExpectPropertyEnd(row.context);
}

void ParseRequiredHost(TokenRecord*) {
    static const char kContext[] = "ParseRequiredHost";
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    WritePropertyHeader(FourCC("host"), "PIRequiredHostProperty", 4);
    GetToken();
    if (TokenIsCharConstant())
        WriteCodeItem(CodeFromShortText(gToken.shortText), "");
    else if (gToken.kind == kTokNumber)
        WriteHexLong(gToken.number, "");
    else
        FatalErrorIn(kContext, "Type or number expected");
    ExpectPropertyEnd(kContext);
}

void ParseSizePair(TokenRecord* token) {
    const SizePairRow& row = FindRow(kSizePairTable, token->kind);
    ExpectOpenBrace(row.context);
    WriteVendorCode(kVendorLMTR);
    WritePropertyHeader(row.key, row.name, 8);
    WriteDecimalLong(GetExpression(), "");
    GetToken();
    if (gToken.kind != kTokComma) FatalErrorIn(row.context, "Comma expected");
    WriteDecimalLong(GetExpression(), "");
    GetToCloseBrace();  // anything after the second value is ignored
}

void ParsePresenceFlag(TokenRecord* token) {
    const PresenceRow& row = FindRow(kPresenceTable, token->kind);
    ExpectOpenBrace(row.context);
    WriteVendorCode(kVendorLMTR);
    WritePropertyHeader(row.key, row.name, 4);
    WriteDecimalLong(1, "");
    GetToCloseBrace();  // the contents play no part
}

void ParseRetiredCode(TokenRecord* token) {
    WriteConsole("Unsupported Property %s", token->kind == kKwCode68K ? "Code68K" : "CodePowerPC");
    GetToCloseBrace();
}
