// Kind and Component: the kind table, the kind code record and the component record.
#include "properties/kind.h"

#include <string>

#include "emit/items.h"
#include "emit/text.h"
#include "lexer/fatal.h"
#include "lexer/keywords.h"
#include "lexer/symbols.h"
#include "parse/steps.h"
#include "properties/record.h"

struct KindRow {
    uint32_t keyword;   // token kind of the kind keyword
    uint32_t code;
    const char* description;
};

static const KindRow kKindTable[] = {
    {kKwFilter, FourCC("LmFl"), "Lumetra Filter plug-in"},
    {kKwParser, FourCC("LmPa"), "Lumetra Parser plug-in"},
    {kKwImageFormat, FourCC("LmFm"), "Lumetra Format plug-in"},
    {kKwExtension, FourCC("LmXt"), "Lumetra Extension plug-in"},
    {kKwAcquire, FourCC("LmAq"), "Lumetra Import plug-in"},
    {kKwExport, FourCC("LmEx"), "Lumetra Export plug-in"},
    {kKwSelection, FourCC("LmSl"), "Lumetra Selection plug-in"},
    {kKwPicker, FourCC("LmPk"), "Lumetra Color Picker plug-in"},
    {kKwActions, FourCC("LmAc"), "Lumetra Actions plug-in"},
    {kKwTest, FourCC("LmTs"), "Lumetra Test plug-in"},
    {kKwMeasurement, FourCC("LmMs"), "Lumetra Measurement plug-in"},
    {kKwMHVUtility, FourCC("HvUt"), "Honeyvine Utility plug-in"},
    {kKwHoneyvine, FourCC("HvPg"), "Honeyvine Plug-in"},
    {kKwVCGeneral, FourCC("VcPg"), "Vectra Plug-in"},
    {kKwMVEffect, FourCC("MvFx"), "Moviro Effect plug-in"},
    {kKwMVAccelerator, FourCC("MvAc"), "Moviro Accelerator plug-in"},
    {kKwMVImageFormat, FourCC("MvFi"), "Moviro File plug-in"},
    {kKwMVGeneral, FourCC("MvGn"), "Moviro General plug-in"},
    {kKwRlEffect, FourCC("RlFx"), "Reeltone Effect plug-in"},
    {kKwRlVideoFilter, FourCC("RlVf"), "Reeltone Video Filter plug-in"},
    {kKwRlAudioFilter, FourCC("RlAf"), "Reeltone Audio Filter plug-in"},
    {kKwRlEDLExport, FourCC("RlEd"), "Reeltone EDL Export plug-in"},
    {kKwRlDataExport, FourCC("RlDx"), "Reeltone Data Export plug-in"},
    {kKwRlDevice, FourCC("RlDv"), "Reeltone Device plug-in"},
    {kKwRlImporter, FourCC("RlIm"), "Reeltone Importer plug-in"},
    {kKwRlCompile, FourCC("RlCm"), "Reeltone Movie Compiler plug-in"},
    {kKwRlRecord, FourCC("RlRc"), "Reeltone Record/Capture plug-in"},
    {kKwRlPlay, FourCC("RlPy"), "Reeltone Playback plug-in"},
};

static const KindRow* FindKind(uint32_t keyword) {
    for (const KindRow& row : kKindTable)
        if (row.keyword == keyword) return &row;
    return nullptr;
}

void ParseKindProperty(TokenRecord*) {
    static const char kContext[] = "ParseKindProperty";
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    WritePropertyHeader(FourCC("kind"), "PIKindProperty", 4);
    GetToken();
    if (TokenIsCharConstant()) {
        // A literal code; a shorter constant is padded with blanks.
        WriteCodeItem(CodeFromShortText(gToken.shortText), "/* Vtag ID */");
    } else if (const KindRow* row = FindKind(gToken.kind)) {
        WriteFourCharCode(row->code, row->description);
    } else {
        FatalErrorIn(kContext, "Invalid Type");
    }
    ExpectPropertyEnd(kContext);
}

void ParseComponent(TokenRecord*) {
    static const char kContext[] = "ParseComponent";
    ExpectOpenBrace(kContext);
    WriteVendorCode(kVendorLMTR);
    long lengthPosition = WritePropertyHeader(FourCC("cmpt"), "PIComponent", 0);
    WriteDecimalLong(GetExpression(), "/* Version */");
    GetToken();
    if (gToken.kind != kTokComma) FatalErrorIn(kContext, "Comma expected");
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(kContext, "String Expected");
    FixupStringChars(text);
    FilledString id = ZeroFill(text);
    WriteCString(id, "/* Unique ID */");
    PatchLength(lengthPosition, id.length + 4);
    ExpectPropertyEnd(kContext);
}
