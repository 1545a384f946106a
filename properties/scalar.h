// Scalar properties: single numbers, the required host, size pairs and presence flags.
#pragma once
#include "lexer/tokenizer.h"

// Each handler is entered on its property keyword (the current token) and returns on the
// property's close brace; the property loop then reads the comma or close brace after it.

// The rows of the property keywords (lexer/keywords.def names each keyword's row).
struct NumberRow;
extern const NumberRow kVersionRow, kPriorityRow, kFormatFileSizeLimitRow, kInterfaceVersionRow,
    kAdapterVersionRow, kHV_STSPRow;
struct SizePairRow;
extern const SizePairRow kPlugInMaxSizeRow, kPlugInMinSizeRow;
struct PresenceRow;
extern const PresenceRow kWantsScrapRow, kFileBrowserAwareRow, kNoAboutBoxRow,
    kLegacyFilterGalleryMenuItemRow, kPositionDependentRow, kMonitorScalingAwareRow,
    kFilePropertiesRow, kLosslessRotateRow, kBulkSettingsRow, kPrimaryMetadataSourceRow,
    kPrimaryThumbnailSourceRow, kXMPReadRow, kXMPWriteRow, kQuickExtractThumbnailRow, kBulkOpenRow,
    kLoadUnloadRow, kPreferencesRow, kRawSettingsRow, kOpenWriteAccessRow, kWarnIfOverriddenRow,
    kResourceThreadSafeRow, kSupportsBackgroundSaveRow, kSupportsPOSIXIORow,
    kSupportsPluginOpeningFileRow, kPersistentRow, kLoadWithAlteredSearchPathRow, kReentrantRow,
    kFormatLayerSupportReadOnlyRow, kStackRendererRow, kEditinPluginRow, kPluginLaunchesEditorRow;

void ParseNumberProperty(const NumberRow& row);
void ParseRequiredHost();
void ParseSizePair(const SizePairRow& row);
void ParsePresenceFlag(const PresenceRow& row);
// No open brace is checked: reads up to the next close brace, whatever comes before it.
void ParseRetiredCode(const char* keyword);  // Code68K, CodePowerPC: a notice, nothing written
