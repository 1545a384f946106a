// Property keys: the converter's keyword for each key, its vendor, and the printer that turns
// a checked value back into the text between the property's braces.
#include "dump/decode.h"

#include <cstdio>

namespace {

bool Fail(std::string& why, const std::string& text) {
    why = text;
    return false;
}

std::string Signed(uint32_t value) {
    if (value == 0x80000000u) return Hex32(value);  // no literal for it in signed decimal
    return std::to_string(int32_t(value));
}

// Positional flag items, the first item the most significant of count bits: the name where
// a bit is set and the position has one, else 1 or 0.
std::string FlagItems(uint32_t bits, const char* const* names, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const bool set = (bits >> (count - 1 - i)) & 1;
        if (i) text += ", ";
        text += set ? (names[i][0] ? names[i] : "1") : "0";
    }
    return text;
}

// The text of a C string value: up to its last non-zero byte (the checks fixed the fill).
std::string CStringText(const uint8_t* value, size_t length, bool utf8) {
    size_t n = length;
    while (n > 0 && value[n - 1] == 0) --n;
    return QuotedText(value, n, utf8);
}

// The text of a C string inside a value, up to its first zero.
std::string CStringAtText(const uint8_t* value, size_t length, size_t offset,
                          bool utf8) {
    size_t n = 0;
    while (offset + n < length && value[offset + n] != 0) ++n;
    return QuotedText(value + offset, n, utf8);
}

bool PrintHexNumber(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = Hex32(ReadU32(v));
    return true;
}

bool PrintDecimal(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = Signed(ReadU32(v));
    return true;
}

bool PrintHost(const uint8_t* v, size_t, DumpOutput& out, std::string& body, std::string&) {
    const uint32_t code = ReadU32(v);
    body = IsCharConstant(code, out.utf8) ? CharConstant(code, out.utf8) : Hex32(code);
    return true;
}

bool PrintPair(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = Signed(ReadU32(v)) + ", " + Signed(ReadU32(v + 4));
    return true;
}

bool PrintPresence(const uint8_t*, size_t, DumpOutput&, std::string& body, std::string&) {
    body.clear();
    return true;
}

bool PrintLengthPrefixed(const uint8_t* v, size_t, DumpOutput& out, std::string& body,
                         std::string&) {
    body = QuotedText(v + 1, v[0], out.utf8);
    return true;
}

bool PrintCString(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                  std::string&) {
    body = CStringText(v, n, out.utf8);
    return true;
}

struct KindName {
    char code[5];
    const char* keyword;
};

const KindName kKinds[] = {
    {"LmFl", "Filter"},      {"LmPa", "Parser"},        {"LmFm", "ImageFormat"},
    {"LmXt", "Extension"},   {"LmAq", "Acquire"},       {"LmEx", "Export"},
    {"LmSl", "Selection"},   {"LmPk", "Picker"},        {"LmAc", "Actions"},
    {"LmTs", "Test"},        {"LmMs", "Measurement"},   {"HvUt", "MHVUtility"},
    {"HvPg", "Honeyvine"},   {"VcPg", "VCGeneral"},     {"MvFx", "MVEffect"},
    {"MvAc", "MVAccelerator"}, {"MvFi", "MVImageFormat"}, {"MvGn", "MVGeneral"},
    {"RlFx", "RlEffect"},    {"RlVf", "RlVideoFilter"}, {"RlAf", "RlAudioFilter"},
    {"RlEd", "RlEDLExport"}, {"RlDx", "RlDataExport"},  {"RlDv", "RlDevice"},
    {"RlIm", "RlImporter"},  {"RlCm", "RlCompile"},     {"RlRc", "RlRecord"},
    {"RlPy", "RlPlay"},
};

bool PrintKind(const uint8_t* v, size_t, DumpOutput& out, std::string& body, std::string& why) {
    const uint32_t code = ReadU32(v);
    for (const KindName& kind : kKinds) {
        if (FourCharText(code) == kind.code) {
            body = kind.keyword;
            return true;
        }
    }
    if (!IsCharConstant(code, out.utf8))
        return Fail(why, "kind code '" + FourCharText(code) + "' fits no character constant");
    body = CharConstant(code, out.utf8);
    return true;
}

bool PrintComponent(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                    std::string&) {
    body = Signed(ReadU32(v)) + ", " + CStringText(v + 4, n - 4, out.utf8);
    return true;
}

// Flag sets: count names, shifted into the low byte of a long.
const char* const kFilterLayer[] = {"doesSupportFilterLayers"};
const char* const kFormatFlags[] = {"fmtSavesImageResources", "fmtCanRead", "fmtCanWrite",
                                    "fmtCanWriteIfRead", "fmtCanWriteTransparency",
                                    "fmtCanCreateThumbnail"};
const char* const kICCFlags[] = {"iccCanEmbedGray", "iccCanEmbedIndexed", "iccCanEmbedRGB",
                                 "iccCanEmbedCMYK"};
const char* const kICCRequired[] = {"iccGrayRequired", "iccIndexedRequired", "iccRGBRequired",
                                    "iccCMYKRequired"};
const char* const kHiddenFlags[] = {"formatReadHidden", "formatWriteHidden"};
const char* const kExportFlags[] = {"expSupportsTransparency"};
const char* const kFormatLayer[] = {"doesSupportFormatLayers"};

template <const char* const* Names, int Count, int Shift>
bool PrintFlagSet(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = FlagItems(ReadU32(v) >> Shift, Names, Count);
    return true;
}

const char* const kModes1[] = {"doesSupportBitmap", "doesSupportGrayScale",
                               "doesSupportIndexedColor", "doesSupportRGBColor",
                               "doesSupportCMYKColor", "doesSupportHSLColor",
                               "doesSupportHSBColor", "doesSupportMultichannel"};
const char* const kModes2[] = {"doesSupportDuotone", "doesSupportLABColor"};

bool PrintModes(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = FlagItems(v[0], kModes1, 8) + ", " + FlagItems(v[1] >> 6, kModes2, 2);
    return true;
}

const char* const kInputCases[] = {"inCantFilter", "inStraightData", "inBlackMat", "inGrayMat",
                                   "inWhiteMat", "inDefringe", "inBlackZap", "inGrayZap",
                                   "inWhiteZap", "", "inBackgroundZap", "inForegroundZap"};
const char* const kOutputCases[] = {"outCantFilter", "outStraightData", "outBlackMat",
                                    "outGrayMat", "outWhiteMat", "", "", "", "",
                                    "outFillMask"};
const char* const kCaseFlags[] = {"writeOutsideSelection", "filtersLayerMasks",
                                  "worksWithBlankData", "doNotCopySourceToDestination"};

std::string CaseName(unsigned value, const char* const* names, unsigned count) {
    if (value < count && names[value][0]) return names[value];
    return std::to_string(value);
}

bool PrintFilterCases(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = "{";
    for (size_t i = 0; i < 28; i += 4) {
        body += std::string(i ? ",\n\t\t\t" : "\n\t\t\t") + CaseName(v[i], kInputCases, 12) +
                ", " + CaseName(v[i + 1], kOutputCases, 10) + ", " +
                FlagItems(v[i + 2], kCaseFlags, 4);
    }
    body += "\n\t\t}";
    return true;
}

bool PrintTypeCreator(const uint8_t* v, size_t, DumpOutput& out, std::string& body,
                      std::string&) {
    body = CodeOrEnum(ReadU32(v), out) + ", " + CodeOrEnum(ReadU32(v + 4), out);
    return true;
}

bool PrintTypeList(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                   std::string&) {
    body = "{ ";
    for (size_t i = 0; i < n; i += 4) body += (i ? ", " : "") + CodeOrEnum(ReadU32(v + i), out);
    body += " }";
    return true;
}

// Extensions keep their characters in reading order.
bool PrintExtensions(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                     std::string& why) {
    body = "{ ";
    for (size_t i = 0; i < n; i += 4) {
        const uint32_t code = uint32_t(v[i]) << 24 | uint32_t(v[i + 1]) << 16 |
                              uint32_t(v[i + 2]) << 8 | v[i + 3];
        if (!IsCharConstant(code, out.utf8))
            return Fail(why, "extension at byte " + std::to_string(i) +
                                 " fits no character constant");
        body += (i ? ", " : "") + CharConstant(code, out.utf8);
    }
    body += n ? " }" : "}";
    return true;
}

bool PrintMaxSize(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = "{ " + std::to_string(int16_t(ReadU16(v))) + ", " +
           std::to_string(int16_t(ReadU16(v + 2))) + " }";
    return true;
}

bool PrintChannels(const uint8_t* v, size_t n, DumpOutput&, std::string& body, std::string&) {
    body = "{ ";
    for (size_t i = 0; i < n; i += 2)
        body += (i ? ", " : "") + std::to_string(int16_t(ReadU16(v + i)));
    body += " }";
    return true;
}

bool PrintTerminology(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                      std::string&) {
    body = CodeOrEnum(ReadU32(v + 4), out) + ", " + CodeOrEnum(ReadU32(v + 8), out) + ", " +
           std::to_string(int16_t(ReadU16(v + 12))) + ", " + CStringAtText(v, n, 14, out.utf8);
    return true;
}

// Entries of a counted list: (length, name, version) or names alone.
template <bool WithVersion>
bool PrintSuiteList(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                    std::string&) {
    body = "{ ";
    size_t offset = 4;
    bool first = true;
    while (offset < n) {
        body += first ? "" : ", ";
        first = false;
        if (WithVersion) {
            const uint32_t length = ReadU32(v + offset);
            body += CStringAtText(v, n, offset + 4, out.utf8) + ", " +
                    Signed(ReadU32(v + offset + length - 4));
            offset += length;
        } else {
            size_t text = 0;
            while (offset + text < n && v[offset + text] != 0) ++text;
            body += QuotedText(v + offset, text, out.utf8);
            offset += ((text + 1) / 4 + 1) * 4;
        }
    }
    body += " }";
    return true;
}

const char* const kMessages[] = {"noStartupRequired", "purgeCache", "noShutdownRequired",
                                 "acceptProperty"};

bool PrintMessages(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = FlagItems(ReadU32(v), kMessages, 4);
    return true;
}

std::string NamedNumber(uint32_t value, const char* zero, const char* one) {
    if (value == 0) return zero;
    if (value == 1 && one) return one;
    return std::to_string(value);
}

bool PrintButtonIcon(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                     std::string&) {
    body = NamedNumber(ReadU32(v + 4), "none", "cicn") + ", " +
           NamedNumber(ReadU32(v + 8), "none", "ICON") + ", " + Signed(ReadU32(v + 12)) + ", " +
           CStringText(v + 16, n - 16, out.utf8);
    return true;
}

bool PrintImportClass(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    static const char* const kClasses[] = {"none", "scanner", "camera", "video",
                                           "floppy", "cdrom", "internet"};
    const uint32_t type = ReadU32(v + 4);
    body = type < 7 ? kClasses[type] : std::to_string(type);
    return true;
}

bool PrintPreview(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                  std::string&) {
    body = CStringText(v + 4, n - 4, out.utf8);
    return true;
}

bool PrintWordPair(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = std::to_string(ReadU16(v)) + ", " + std::to_string(ReadU16(v + 2));
    return true;
}

const char* const kGlobalOut[] = {
    "obsolete", "useAudio", "useShutterAngle", "frameNoOpRender", "refreshUIEvent",
    "haveCustomNTRP", "haveCustomUI", "squarePixOnly", "workInPlace", "shrinksBuffer",
    "writesInputBuffer", "pixIndependent", "expandsBuffer", "displayErrorMessage",
    "sendDoDialog", "useOutputExtent", "doesDialog", "flattenSequenceData", "sendParamsUpdate",
    "nonParamVary", "wideTimeInput", "keepResourceOpen"};
const char* const kFormatExtension[] = {"hasNoOptions", "nonSequentialOk", "mustInteract",
                                        "hasInteractPut", "hasInteractGet", "hasNoTime",
                                        "hasVideo", "still", "hasFile", "output", "input"};
const char* const kFilterInfo[] = {"reserved1True", "reserved0True", "dontDriveMe",
                                   "doesntNeedDialog", "paramsPointer", "paramsHandle",
                                   "paramsMacHandle", "dialogInRender", "paramsInGlobals",
                                   "bgAnimatable", "fgAnimatable", "notGeometric", "randomness"};
const char* const kParamAtom[] = {"animateParam", "restrictBounds", "spaceIsRelative",
                                  "resDependant"};
const char* const kRlSetup[] = {"needsCallbacksAtSetup", "", "dontWantInitialSetupCall",
                                "treatAsTwoInputFilter", "hasCustomDialog",
                                "highlightOppositeCorners"};
const char* const kRlTransitions[] = {"exclusive", "reversible", "haveEdges", "haveStartPoint",
                                      "haveEndPoint"};
const char* const kDataTypes[] = {
    "ANIM_DT_OPAQUE", "ANIM_DT_CHAR", "ANIM_DT_SHORT", "ANIM_DT_LONG", "ANIM_DT_UNSIGNED_CHAR",
    "ANIM_DT_UNSIGNED_SHORT", "ANIM_DT_UNSIGNED_LONG", "ANIM_DT_FIXED",
    "ANIM_DT_UNSIGNED_FIXED", "ANIM_DT_EXTENDED_96", "ANIM_DT_DOUBLE_64", "ANIM_DT_FLOAT_32",
    "ANIM_DT_COLOR_RGB"};
const char* const kUITypes[] = {"ANIM_UI_NO_UI", "ANIM_UI_ANGLE", "ANIM_UI_SLIDER",
                                "ANIM_UI_POINT", "ANIM_UI_RECT", "ANIM_UI_COLOR_RGB",
                                "ANIM_UI_COLOR_CMYK", "ANIM_UI_COLOR_LAB"};

bool PrintGlobalOut(const uint8_t* v, size_t, DumpOutput&, std::string& body, std::string&) {
    body = FlagItems(ReadU32(v), kGlobalOut, 22);
    return true;
}

bool PrintFormatExtension(const uint8_t* v, size_t, DumpOutput& out, std::string& body,
                          std::string&) {
    body = std::to_string(ReadU16(v)) + ", " + std::to_string(ReadU16(v + 2)) + ", " +
           FlagItems(ReadU32(v + 4), kFormatExtension, 11) + ", " +
           CodeOrEnum(ReadU32(v + 12), out);
    return true;
}

bool PrintFilterInfo(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                     std::string&) {
    body = Signed(ReadU32(v + 8)) + ", " + FlagItems(ReadU32(v + 12), kFilterInfo, 13) + ", " +
           Signed(ReadU32(v + 16)) + ", " + CStringAtText(v, n, 20, out.utf8);
    return true;
}

std::string TypeName(uint32_t value, const char* const* names, uint32_t count) {
    return value < count ? names[value] : std::to_string(value);
}

// The index of the record is printed first by the list printer.
bool PrintParamAtom(const uint8_t* v, size_t n, DumpOutput& out, std::string& body,
                    std::string&) {
    body = CStringAtText(v, n, 0, out.utf8) + ", " + Signed(ReadU32(v + 32)) + ", " +
           TypeName(ReadU32(v + 36), kDataTypes, 13) + ", " +
           TypeName(ReadU32(v + 40), kUITypes, 8);
    for (size_t high = 44; high < 76; high += 8)  // low long first in the source
        body += ", " + Hex32(ReadU32(v + high + 4)) + ", " + Hex32(ReadU32(v + high));
    body += ", " + FlagItems(ReadU32(v + 76), kParamAtom, 4) + ", " + Signed(ReadU32(v + 80));
    return true;
}

bool PrintRlEffectInfo(const uint8_t* v, size_t, DumpOutput&, std::string& body,
                       std::string&) {
    uint32_t transitions = 0;
    for (size_t i = 7; i < 12; ++i) transitions = transitions * 2 + v[i];
    body = std::to_string(v[4]) + ", " + std::to_string(v[5]) + ", " +
           FlagItems(v[6], kRlSetup, 6) + ", " + FlagItems(transitions, kRlTransitions, 5);
    return true;
}

// The version as a string of binary digits would also do; a number says the same.
const PropertyRow kRows[] = {
    {"kind", "LMTR", "Kind", PrintKind},
    {"vers", "LMTR", "Version", PrintHexNumber},
    {"prty", "LMTR", "Priority", PrintDecimal},
    {"cmpt", "LMTR", "Component", PrintComponent},
    {"host", "LMTR", "RequiredHost", PrintHost},
    {"name", "LMTR", "Name", PrintLengthPrefixed},
    {"catg", "LMTR", "Category", PrintLengthPrefixed},
    {"prog", "LMTR", "ProgressText", PrintLengthPrefixed},
    {"wx86", "LMTR", "CodeWin32X86", PrintCString},
    {"8664", "LMTR", "CodeWin64X86", PrintCString},
    {"wa64", "LMTR", "CodeWin64ARM", PrintCString},
    {"mode", "LMTR", "SupportedModes", PrintModes},
    {"enbl", "LMTR", "EnableInfo", PrintCString},
    {"wnsc", "LMTR", "WantsScrap", PrintPresence},
    {"fbaw", "LMTR", "FileBrowserAware", PrintPresence},
    {"nabo", "LMTR", "NoAboutBox", PrintPresence},
    {"ms32", "LMTR", "PlugInMaxSize", PrintPair},
    {"mn32", "LMTR", "PlugInMinSize", PrintPair},
    {"flly", "LMTR", "FilterLayerSupport", PrintFlagSet<kFilterLayer, 1, 7>},
    {"feen", "LMTR", "FeatureEnabled", PrintLengthPrefixed},
    {"posd", "LMTR", "PositionDependent", PrintPresence},
    {"pmsa", "LMTR", "MonitorScalingAware", PrintPresence},
    {"lFGm", "LMTR", "LegacyFilterGalleryMenuItem", PrintPresence},
    {"expf", "LMTR", "ExportFlags", PrintFlagSet<kExportFlags, 1, 7>},
    {"fici", "LMTR", "FilterCaseInfo", PrintFilterCases},
    {"fmTC", "LMTR", "FmtFileType", PrintTypeCreator},
    {"RdTy", "LMTR", "ReadTypes", PrintTypeList},
    {"WrTy", "LMTR", "WriteTypes", PrintTypeList},
    {"fftT", "LMTR", "FilteredTypes", PrintTypeList},
    {"RdEx", "LMTR", "ReadExtensions", PrintExtensions},
    {"WrEx", "LMTR", "WriteExtensions", PrintExtensions},
    {"fftE", "LMTR", "FilteredExtensions", PrintExtensions},
    {"fmtf", "LMTR", "FormatFlags", PrintFlagSet<kFormatFlags, 6, 1>},
    {"mxsz", "LMTR", "FormatMaxSize", PrintMaxSize},
    {"fslm", "LMTR", "FormatFileSizeLimit", PrintDecimal},
    {"mxch", "LMTR", "FormatMaxChannels", PrintChannels},
    {"fmhi", "LMTR", "FormatHiddenFlags", PrintFlagSet<kHiddenFlags, 2, 6>},
    {"fmip", "LMTR", "FormatICCFlags", PrintFlagSet<kICCFlags, 4, 4>},
    {"fmir", "LMTR", "FormatICCRequiredFlags", PrintFlagSet<kICCRequired, 4, 4>},
    {"ffps", "LMTR", "FileProperties", PrintPresence},
    {"fllr", "LMTR", "LosslessRotate", PrintPresence},
    {"ffbs", "LMTR", "BulkSettings", PrintPresence},
    {"ffpm", "LMTR", "PrimaryMetadataSource", PrintPresence},
    {"ffpt", "LMTR", "PrimaryThumbnailSource", PrintPresence},
    {"xmpr", "LMTR", "XMPRead", PrintPresence},
    {"xmpw", "LMTR", "XMPWrite", PrintPresence},
    {"qthm", "LMTR", "QuickExtractThumbnail", PrintPresence},
    {"ffbo", "LMTR", "BulkOpen", PrintPresence},
    {"piLU", "LMTR", "LoadUnload", PrintPresence},
    {"piPF", "LMTR", "Preferences", PrintPresence},
    {"rscp", "LMTR", "RawSettings", PrintPresence},
    {"fowa", "LMTR", "OpenWriteAccess", PrintPresence},
    {"fwio", "LMTR", "WarnIfOverridden", PrintPresence},
    {"frts", "LMTR", "ResourceThreadSafe", PrintPresence},
    {"fbgs", "LMTR", "SupportsBackgroundSave", PrintPresence},
    {"fxio", "LMTR", "SupportsPOSIXIO", PrintPresence},
    {"fpof", "LMTR", "SupportsPluginOpeningFile", PrintPresence},
    {"psTY", "LMTR", "ParsableTypes", PrintTypeList},
    {"psEX", "LMTR", "ParsableExtensions", PrintExtensions},
    {"psTy", "LMTR", "FilteredParsableTypes", PrintTypeList},
    {"psEx", "LMTR", "FilteredParsableExtensions", PrintExtensions},
    {"psCB", "LMTR", "ParsableClipboardTypes", PrintTypeList},
    {"hstm", "LMTR", "HasTerminology", PrintTerminology},
    {"prst", "LMTR", "Persistent", PrintPresence},
    {"adll", "LMTR", "LoadWithAlteredSearchPath", PrintPresence},
    {"reen", "LMTR", "Reentrant", PrintPresence},
    {"pnme", "LMTR", "PickerID", PrintLengthPrefixed},
    {"eSVR", "LMTR", "MV_Effect_Spec_Version", PrintWordPair},
    {"ePVR", "LMTR", "MV_Vtag_Version", PrintWordPair},
    {"eVER", "LMTR", "MV_Effect_Version", PrintHexNumber},
    {"eMNA", "LMTR", "MV_Effect_Match_Name", PrintLengthPrefixed},
    {"eINF", "LMTR", "MV_Effect_Info_Flags", PrintDecimal},
    {"eGLO", "LMTR", "MV_Effect_Global_OutFlags", PrintGlobalOut},
    {"mvRD", "LMTR", "MV_Reserved", PrintDecimal},
    {"mvFL", "LMTR", "MV_Reserved_Info", PrintDecimal},
    {"FXMF", "LMTR", "MV_ImageFormat_Extension_Info", PrintFormatExtension},
    {"aFLT", "LMTR", "ANIM_FilterInfo", PrintFilterInfo},
    {"aPAR", "LMTR", "ANIM_ParamAtom", PrintParamAtom},
    {"pOPT", "RlTn", "Rl_Effect_Info", PrintRlEffectInfo},
    {"TEXT", "RlTn", "Rl_Effect_Description", PrintLengthPrefixed},
    {"ivrs", "ORVN", "InterfaceVersion", PrintHexNumber},
    {"impt", "ORVN", "Imports", PrintSuiteList<true>},
    {"expt", "ORVN", "Exports", PrintSuiteList<true>},
    {"desc", "ORVN", "Description", PrintCString},
    {"titl", "ORVN", "Title", PrintCString},
    {"keyw", "ORVN", "Keywords", PrintSuiteList<false>},
    {"AcpM", "ORVN", "Messages", PrintMessages},
    {"adpt", "ORVN", "AdapterVersion", PrintHexNumber},
    {"STSP", "ORVN", "HV_STSP", PrintHexNumber},
    {"pinm", "ORVN", "InternalName", PrintCString},
    {"btni", "LMTR", "ButtonIcon", PrintButtonIcon},
    {"clas", "LMTR", "Class", PrintImportClass},
    {"prvw", "LMTR", "PreviewFile", PrintPreview},
    {"znam", "LMTR", "ZStringName", PrintLengthPrefixed},
    {"zcat", "LMTR", "ZStringCategory", PrintLengthPrefixed},
    {"zpro", "LMTR", "ZStringProgressText", PrintLengthPrefixed},
    {"fmsl", "LMTR", "FormatLayerSupport", PrintFlagSet<kFormatLayer, 1, 7>},
    {"slRO", "LMTR", "FormatLayerSupportReadOnly", PrintPresence},
    {"sRnd", "LMTR", "StackRenderer", PrintPresence},
    {"ediP", "LMTR", "EditinPlugin", PrintPresence},
    {"piLe", "LMTR", "PluginLaunchesEditor", PrintPresence},
};

}  // namespace

const PropertyRow* FindPropertyRow(uint32_t key) {
    const std::string text = FourCharText(key);
    for (const PropertyRow& row : kRows) {
        if (text == row.key) return &row;
    }
    return nullptr;
}

const PropertyRow* PropertyRows(size_t& count) {
    count = sizeof kRows / sizeof kRows[0];
    return kRows;
}
