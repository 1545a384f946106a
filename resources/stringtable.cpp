// The string table converter: one 'STR ' resource becomes a STRINGTABLE block.
#include "core/diagnostics.h"
#include "emit/output.h"
#include "emit/text.h"
#include "lexer/charsource.h"
#include "lexer/fatal.h"
#include "parse/steps.h"
#include "resources/converters.h"

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
