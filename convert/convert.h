// The conversion: its entry points, the loop over top-level statements and the dispatch by
// resource type.
#pragma once
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "core/settings.h"
#include "formats/resources.h"
#include "lexer/fatal.h"

class IncludeResolver;
class ScriptSink;
class SourceReader;

struct ConvertResult {
    int status = 0;                       // 0, or 1 when a fatal error ended the conversion
    std::string script;                   // Convert's script (ConvertStream's went to its sink)
    std::vector<Diagnostic> diagnostics;  // in the order they were made
    unsigned long converted = 0;          // resources converted, included files' among them
    SourcePlace end;                      // where reading stood when the conversion ended
};

// Converts the source text, reported under name; the include resolver is asked for every
// included file. A conversion that fails has no script.
ConvertResult Convert(const std::string& text, const std::string& name, const Settings& settings,
                      IncludeResolver& includes);
// The same conversion on a source read in pieces; the script goes to out block by block
// (the command line's form: its memory does not grow with the source), and each diagnostic
// to report as it is made. Without out the script is returned as by Convert.
ConvertResult ConvertStream(SourceReader& source, const std::string& name,
                            const Settings& settings, IncludeResolver& includes, ScriptSink* out,
                            const DiagnosticSink& report);

// Converts statements until the end of the current source (an include's, or the whole run's),
// reading the first token of each statement itself; returns on the end-of-input token. Each
// statement's converter returns on its last token.
void ConvertStatements();
// Entered on the word resource or data: converts the resource if formats/resources.def has
// its type for that statement, else skips it, and returns as its converter or SkipResource
// does. A viewer resource not asked for (-x) returns on its type: the statement loop takes
// its tokens one by one.
void ConvertDeclared(ResourceStatement statement);
