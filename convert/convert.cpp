// The conversion loop over top-level statements, the resource dispatch, the string table
// converter and the header and skipping services that every converter shares.
#include "convert/convert.h"

#include <cstring>
#include <string>

#include "core/diagnostics.h"
#include "core/settings.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "properties/record.h"
#include "properties/vtag.h"
#include "resources/converters.h"

static bool IsCharConst(const char* text) {
    return TokenIsCharConstant() && strcmp(gToken.shortText, text) == 0;
}

static unsigned long gConvertedResources = 0;

unsigned long ConvertedResourceCount() {
    return gConvertedResources;
}

void ResetConvertedResourceCount() {
    gConvertedResources = 0;
}

void ConvertStatements() {
    GetToken();
    while (gToken.kind != kTokEnd) {
        switch (gToken.kind) {
            case kTokData:
                GetToken();
                if (IsCharConst("PATH") || IsCharConst("Path")) {
                    ConvertPath();
                    ++gConvertedResources;
                } else {
                    SkipResource();
                }
                break;
            case kTokDirective: ProcessDirective(); break;
            case kTokInclude: ProcessInclude(); break;
            case kTokEnum: ConvertEnum(); break;
            case kTokRead: break;
            case kTokResource: ConvertResource(); break;
            case kTokCharConst: SkipResource(); break;
            default: SkipToCharacter('\n'); break;
        }
        GetToken();
    }
}

// Resource types in the order they are compared; the type is a character constant.
struct ResourceRow {
    const char* type;
    void (*convert)();
};

static const ResourceRow kResourceTable[] = {
    {"Vtag", ConvertVtag}, {"AdPr", ConvertVtag}, {"AdIn", ConvertAddIns},
    {"AETE", ConvertAETE}, {"aete", ConvertAETE}, {"Pate", ConvertPate},
    {"STR ", ConvertString}, {"QkPn", ConvertQkPn},
};

void ConvertResource() {
    GetToken();
    for (const ResourceRow& row : kResourceTable) {
        if (!IsCharConst(row.type)) continue;
        if (row.convert == ConvertQkPn && !BuildQkPn) return;  // its tokens go back to the loop
        row.convert();
        ++gConvertedResources;
        return;
    }
    SkipResource();
}

void ConvertString() {
    int32_t id = GetResourceID();
    if (id < 1) WriteConsole("WARNING: Writing %s resource with id of %d\n", "STRINGTABLE", id);
    WriteOutput(OutputStream, "%s\tDISCARDABLE\nBEGIN\n\t%d,\n\t", "STRINGTABLE", id);
    SkipToCharacter('{');
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn("ConvertString", "String Expected");
    WriteOutput(OutputStream, "\"%s\"\n", ScriptText(text).c_str());
    ExpectResourceEnd("ConvertString", "ConvertString");
    WriteOutput(OutputStream, "END\n\n");
}

static int32_t ReadIdNumber() {
    if (gToken.kind == kTokNumber) return (int32_t)gToken.number;
    if (gToken.kind == kTokMinus) {
        GetToken();
        if (gToken.kind == kTokNumber) return (int32_t)(0u - gToken.number);
    }
    FatalErrorIn("GetResourceID", "integer expected");
}

int32_t GetResourceID() {
    GetToken();
    while (gToken.kind == kTokOpenParen) GetToken();
    int32_t value = ReadIdNumber();
    GetToken();
    if (gToken.kind == kTokPlus) {
        GetToken();
        if (gToken.kind != kTokNumber) FatalErrorIn("GetResourceID", "integer expected");
        value = (int32_t)((uint32_t)value + gToken.number);
    } else {
        UngetToken();
    }
    if (VerboseIds) WriteOutput(stderr, "    (%d)\n", value);
    return value;
}

void SkipToCloseParanthesis() {
    for (;;) {
        GetToken();
        if (gToken.kind == kTokCloseParen) return;
        if (gToken.kind == kTokOpenParen) SkipToCloseParanthesis();
        else if (gToken.kind == kTokEnd)
            FatalError("SkipToCloseParanthesis: Premature End of file\n");
    }
}

void GetToCloseBrace() {
    for (;;) {
        GetToken();
        if (gToken.kind == kTokCloseBrace) return;
        if (gToken.kind == kTokEnd) FatalError("GetToCloseBrace: Premature End of file");
    }
}

void SkipResource() {
    for (;;) {
        GetToken();
        switch (gToken.kind) {
            case kTokSemicolon: return;
            case kTokOpenBrace: GetToCloseBrace(); return;
            case kTokResource: UngetToken(); return;
            case kTokEnd: FatalErrorIn("SkipResource", "Premature End of file");
            default: break;
        }
    }
}

void SkipToOpenParenthesis(const char* context) {
    while (gToken.kind != kTokOpenParen) {
        GetToken();
        if (gToken.kind == kTokEnd) FatalErrorIn(context, "Premature End of file");
    }
}
