// Conversions in memory for table-driven tests: a source (and included files) in, the script
// and the console text the command line would print out.
#pragma once

#include <map>
#include <string>

#include "convert/convert.h"
#include "core/settings.h"
#include "driver/run.h"
#include "lexer/resolver.h"

struct Converted {
    int status = 0;
    std::string script;  // empty when the conversion failed
    std::string out;     // stdout and stderr as the command line prints the diagnostics
    std::string err;
    unsigned long resources = 0;
};

// Converts source as "in.rr"; files holds the files its includes may name.
inline Converted ConvertText(const std::string& source, const Settings& settings = Settings(),
                             const std::map<std::string, std::string>& files = {}) {
    TextResolver includes;
    includes.files = files;
    const ConvertResult result = Convert(source, "in.rr", settings, includes);
    Converted c;
    c.status = result.status;
    c.script = result.script;
    c.resources = result.converted;
    for (const Diagnostic& d : result.diagnostics)
        (PrintedOnStdout(d) ? c.out : c.err) += FormatDiagnostic(d);
    return c;
}

// The script's opening lines, which every script starts with.
constexpr char kScriptStart[] =
    "#define RSCL32(a,b,c,d)   0x ## c ## d, 0x ## a ## b\n"
    "#define LC(a,b,c,d)       #d, #c, #b, #a\n"
    "#define RSCS32(a)         a, 0\n"
    "\n";
