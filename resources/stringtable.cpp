// The string table converter: one 'STR ' resource becomes a STRINGTABLE block.
//
// STR: resource 'STR ' ( id ... ) { string+ [,] } ;
#include "emit/items.h"
#include "emit/output.h"
#include "emit/text.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "parse/steps.h"
#include "resources/converters.h"

void ConvertString(const char*) {
    int32_t id = GetResourceID();
    WriteStringTableStart(id);
    SkipToCharacter('{');
    std::string text;
    if (!GetStringValue(text)) FatalErrorIn("ConvertString", "String Expected");
    WriteQuotedPiece(text);
    ExpectResourceEnd("ConvertString", "ConvertString");
    WriteBlockEnd();
}
