// The conversion's state as the lexer layer holds it, and the report of diagnostics.
#include "lexer/context.h"

#include <cstdarg>
#include <cstdio>
#include <cstddef>
#include <cstring>

LexContext* gActiveContext = nullptr;

LexContext::LexContext() {
    sourceBlocks.emplace_back(new char[kSourceBlockSize]);
    lex.block = sourceBlocks[0].get();
    stringStore.assign(256, '\0');
    std::memset(&token, 0, sizeof token);
    token.identText = identBuffer;
    token.stringText = stringStore.data();
}

LexContext::~LexContext() = default;

void Report(Diagnostic diagnostic) {
    LexContext& run = Lex();
    run.diagnostics.push_back(std::move(diagnostic));
    if (run.sink) run.sink(run.diagnostics.back());
}

void ReportText(Severity severity, bool toStdout, const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Diagnostic d;
    d.severity = severity;
    d.toStdout = toStdout;
    d.file = Lex().lex.fileName;
    d.line = Lex().lex.lineNumber;
    d.message = text;
    Report(std::move(d));
}
