// The path resource: 'data' statements of hex strings written as packed 16-bit words.
//
// path: data 'PATH' ( id ... ) { ( $ string+ )* } ;
#include <cstdint>
#include <string>

#include "emit/items.h"
#include "emit/output.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "resources/converters.h"

static const char kContext[] = "ConvertPath";

// Writes one hex string as packed words; blanks in it are ignored.
static void WriteHexWords(const std::string& hex) {
    std::string digits;
    for (char c : hex)
        if (c != ' ') digits += c;
    WritePackedHexWords(digits);
}

void ConvertPath(const char* type) {
    // Resource identifiers are 16-bit; the block and its warning use the 16-bit value.
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, type);
    SkipToCharacter('{');
    while (Accept(kTokDollar)) {
        std::string hex;
        if (!GetStringValue(hex)) FatalErrorIn(kContext, "String expected");
        WriteHexWords(hex);
    }
    Expect(kTokCloseBrace, kContext, "CloseBrace Expected");
    Expect(kTokSemicolon, kContext, "Semicolon expected");
    WriteBlockEnd();
}
