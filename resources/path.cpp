// The path resource: 'data' statements of hex strings written as packed 16-bit words.
#include <cstdint>
#include <string>

#include "emit/output.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "resources/converters.h"

static const char kContext[] = "ConvertPath";
static const int kWordsPerLine = 8;

// Writes one hex string as words of four characters c0 c1 c2 c3 in the order c2 c3 c0 c1, so
// that the compiled little-endian word holds the bytes in the order of the source. Blanks are
// ignored and characters left over after the last full group are dropped. A string too short
// for one word writes nothing.
static void WriteHexWords(const std::string& hex) {
    std::string digits;
    for (char c : hex)
        if (c != ' ') digits += c;
    size_t words = digits.size() / 4;
    if (words == 0) return;
    WriteOutput(OutputStream, "\t");
    for (size_t w = 0; w < words; ++w) {
        if (w > 0 && w % kWordsPerLine == 0) WriteOutput(OutputStream, "\n\t");
        const char* g = digits.c_str() + 4 * w;
        WriteOutput(OutputStream, " 0x%c%c%c%c,", g[2], g[3], g[0], g[1]);
    }
    WriteOutput(OutputStream, "\n");
}

void ConvertPath() {
    // Resource identifiers are 16-bit; the block and its warning use the 16-bit value.
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, "path");
    SkipToCharacter('{');
    GetToken();
    while (gToken.kind == kTokDollar) {
        std::string hex;
        if (!GetStringValue(hex)) FatalErrorIn(kContext, "String expected");
        WriteHexWords(hex);
        GetToken();
    }
    if (gToken.kind != kTokCloseBrace) FatalErrorIn(kContext, "CloseBrace Expected");
    GetToken();
    if (gToken.kind != kTokSemicolon) FatalErrorIn(kContext, "Semicolon expected");
    WriteBlockEnd();
}
