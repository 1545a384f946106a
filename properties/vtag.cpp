// The property-list converter: the 'Vtag'/'AdPr' header, the property loop and its count.
#include "properties/vtag.h"

#include <cstdint>
#include <cstring>

#include "convert/convert.h"
#include "core/diagnostics.h"
#include "core/settings.h"
#include "lexer/tokenizer.h"
#include "properties/record.h"

static const char kBodyContext[] = "ParseVtagBody";

// Reads the property list between the two open braces and the inner close brace, calling
// each keyword's handler; returns the number of properties written.
static unsigned long ConvertPropertyList() {
    long count = 0;
    for (;;) {
        gToken.handler = nullptr;
        GetToken();
        if (gToken.kind == kTokCloseBrace) break;
        // The retired code keywords write nothing and are not counted.
        if (gToken.kind == kKwCode68K || gToken.kind == kKwCodePowerPC) --count;
        if (!gToken.handler) FatalErrorIn(kBodyContext, "Unexpected token");
        gToken.handler(&gToken);
        WriteOutput(OutputStream, "\n");
        ++count;
        GetToken();
        if (gToken.kind == kTokCloseBrace) break;
        if (gToken.kind != kTokComma) FatalErrorIn(kBodyContext, "Comma Expected");
    }
    return (unsigned long)count;
}

void ConvertVtag() {
    const char* typeName = strcmp(gToken.shortText, "AdPr") == 0 ? "AdPr" : "Vtag";
    SkipToOpenParenthesis("ConvertVtag");
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, typeName);
    WriteDecimalWord(1, "/* First byte must always be 1 */");
    WriteDecimalLong(0, "/* kCurrentVtag Version */");
    SkipToCloseParanthesis();
    long countPosition = WriteLengthField(0, "/* Property count */");

    ExpectOpenBrace(kBodyContext);
    ExpectOpenBrace(kBodyContext);
    unsigned long count = ConvertPropertyList();

    ExpectResourceEnd(kBodyContext, "ConvertVtag");

    PatchField(countPosition, count, "Property count");
    WriteBlockEnd();
}
