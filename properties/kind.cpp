// Kind and Component: the kind table, the kind code record and the component record.
//
// Kind      { kind-word | 'code' [,] }
// Component { version , string [,] }
#include "properties/kind.h"

#include <string>
#include <utility>

#include "emit/items.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/suggest.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"

struct KindRow {
    uint32_t code;
    const char* description;
};

static const KindRow kFilterKind = {FourCC("LmFl"), "Lumetra Filter plug-in"};
static const KindRow kParserKind = {FourCC("LmPa"), "Lumetra Parser plug-in"};
static const KindRow kImageFormatKind = {FourCC("LmFm"), "Lumetra Format plug-in"};
static const KindRow kExtensionKind = {FourCC("LmXt"), "Lumetra Extension plug-in"};
static const KindRow kAcquireKind = {FourCC("LmAq"), "Lumetra Import plug-in"};
static const KindRow kExportKind = {FourCC("LmEx"), "Lumetra Export plug-in"};
static const KindRow kSelectionKind = {FourCC("LmSl"), "Lumetra Selection plug-in"};
static const KindRow kPickerKind = {FourCC("LmPk"), "Lumetra Color Picker plug-in"};
static const KindRow kActionsKind = {FourCC("LmAc"), "Lumetra Actions plug-in"};
static const KindRow kTestKind = {FourCC("LmTs"), "Lumetra Test plug-in"};
static const KindRow kMeasurementKind = {FourCC("LmMs"), "Lumetra Measurement plug-in"};
static const KindRow kMHVUtilityKind = {FourCC("HvUt"), "Honeyvine Utility plug-in"};
static const KindRow kHoneyvineKind = {FourCC("HvPg"), "Honeyvine Plug-in"};
static const KindRow kVCGeneralKind = {FourCC("VcPg"), "Vectra Plug-in"};
static const KindRow kMVEffectKind = {FourCC("MvFx"), "Moviro Effect plug-in"};
static const KindRow kMVAcceleratorKind = {FourCC("MvAc"), "Moviro Accelerator plug-in"};
static const KindRow kMVImageFormatKind = {FourCC("MvFi"), "Moviro File plug-in"};
static const KindRow kMVGeneralKind = {FourCC("MvGn"), "Moviro General plug-in"};
static const KindRow kRlEffectKind = {FourCC("RlFx"), "Reeltone Effect plug-in"};
static const KindRow kRlVideoFilterKind = {FourCC("RlVf"), "Reeltone Video Filter plug-in"};
static const KindRow kRlAudioFilterKind = {FourCC("RlAf"), "Reeltone Audio Filter plug-in"};
static const KindRow kRlEDLExportKind = {FourCC("RlEd"), "Reeltone EDL Export plug-in"};
static const KindRow kRlDataExportKind = {FourCC("RlDx"), "Reeltone Data Export plug-in"};
static const KindRow kRlDeviceKind = {FourCC("RlDv"), "Reeltone Device plug-in"};
static const KindRow kRlImporterKind = {FourCC("RlIm"), "Reeltone Importer plug-in"};
static const KindRow kRlCompileKind = {FourCC("RlCm"), "Reeltone Movie Compiler plug-in"};
static const KindRow kRlRecordKind = {FourCC("RlRc"), "Reeltone Record/Capture plug-in"};
static const KindRow kRlPlayKind = {FourCC("RlPy"), "Reeltone Playback plug-in"};

// The row of each kind from kKwFilter up to the properties; none for a category word.
static const KindRow* const kKindRows[] = {
#define KIND_KEYWORD(name, row) &row,
#define CATEGORY_KEYWORD(name) nullptr,
#include "lexer/keywords.def"
};
static_assert(sizeof kKindRows / sizeof kKindRows[0] == kKwFirstProperty - kKwFilter,
              "one entry per keyword kind before the properties");

static const KindRow* FindKind(uint32_t kind) {
    if (kind < kKwFilter || kind >= kKwFirstProperty) return nullptr;
    return kKindRows[kind - kKwFilter];
}

void ParseKindProperty() {
    static const char kContext[] = "ParseKindProperty";
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("kind"), "PIKindProperty");
    GetToken();
    if (TokenIsCharConstant()) {
        // A literal code; a shorter constant is padded with blanks.
        WriteCodeItem(CodeFromShortText(Token().shortText), "/* Vtag ID */");
    } else if (const KindRow* row = FindKind(Token().kind)) {
        WriteFourCharCode(row->code, row->description);
    } else {
        FatalErrorIn(kContext, "Invalid Type", SuggestFor(Token(), KindKeywordNames()));
    }
    record.Close();
    ExpectPropertyEnd(kContext);
}

void ParseComponent() {
    static const char kContext[] = "ParseComponent";
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    PropertyRecord record(FourCC("cmpt"), "PIComponent");
    WriteDecimalLong(GetExpression(), "/* Version */");
    ExpectComma(kContext);
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(kContext, "String Expected");
    FilledString id = ZeroFill(std::move(text));
    WriteCString(id, "/* Unique ID */");
    record.Close();
    ExpectPropertyEnd(kContext);
}
