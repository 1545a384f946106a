// The 'Pate' resource: a leading word 1 and one zero-terminated text in wrapped lines.
//
// Pate: resource 'Pate' ( id ... ) { string+ [,] } ;   (the ; is left to the loop)
#include "resources/pate.h"

#include <cstdint>
#include <string>

#include "emit/items.h"
#include "emit/output.h"
#include "emit/text.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "lexer/tokenizer.h"
#include "parse/steps.h"
#include "resources/converters.h"

static const char kContext[] = "ConvertPate";

// Length of the next piece starting at start: at most kTextPieceMax characters while more
// than that remain, without its trailing backslashes unless the piece is nothing else. A
// piece that would still end between the digits of an octal or hex escape ends before the
// escape instead: the compiler would read its two halves as different bytes.
static size_t NextPieceLength(const std::string& text, size_t start) {
    size_t length = kTextPieceMax;
    while (length > 0 && text[start + length - 1] == '\\') --length;
    if (length == 0) return kTextPieceMax;
    size_t at = start, last = start;
    while (at < start + length) {
        last = at;
        at += text[at] != '\\' ? 1 : EscapeUnitLength(text, at, kOtherEscapeStays);
    }
    if (at > start + length && last > start) length = last - start;
    return length;
}

void WriteTextPieces(const std::string& text) {
    size_t start = 0;
    while (text.size() - start > kTextPieceMax) {
        size_t length = NextPieceLength(text, start);
        WriteQuotedPiece(text.substr(start, length));
        start += length;
    }
    WriteLastQuotedPiece(text.substr(start));
}

void ConvertPate(const char* type) {
    SkipToOpenParenthesis(kContext);
    // Resource identifiers are 16-bit; the block and its warning use the 16-bit value.
    int16_t id = (int16_t)(uint16_t)(uint32_t)GetResourceID();
    WriteBlockStart(id, type);
    WriteDecimalWord(1, "/* First byte must always be 1 */");
    // The rest of the header is not read.
    SkipToCharacter('{');

    std::string text;
    if (!GetStringValue(text)) FatalErrorIn(kContext, "String expected 1");
    WriteTextPieces(text);
    WriteBlockEnd();

    // The semicolon after the body is left to the conversion loop.
    ExpectClose(kContext, "Close brace expected");
}
