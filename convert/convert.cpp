// The conversion loop over top-level statements and the dispatch by resource type.
#include "convert/convert.h"

#include <cstring>
#include <string>

#include "core/settings.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
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
            case kTokDirective: ProcessDirective(ConvertStatements); break;
            case kTokInclude: ProcessInclude(ConvertStatements); break;
            case kTokEnum:
                if (!ConvertEnum()) SkipResource();  // not a declaration after all
                break;
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
