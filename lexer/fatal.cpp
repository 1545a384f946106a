// The fatal reporter: an error at the current source position ends the run.
#include "lexer/fatal.h"

#include <cstdio>

#include "core/diagnostics.h"
#include "lexer/charsource.h"
#include "lexer/suggest.h"

[[noreturn]] static void Report(const char* file, long line, const char* message,
                                const char* text, int column) {
    fflush(stderr);
    WriteConsole("%s(%ld) : error: %s ('%s' : %d)\n\n", file, line, message, text, column);
    fflush(stdout);
    PrintSuggestion();
    throw FatalExit{1};
}

void FatalError(const char* message) {
    TLexState snapshot;
    snapshot.Capture();
    LexState& state = snapshot.State();
    int cut = state.lineLength > 0 ? state.lineLength - 1 : 0;
    state.line[cut] = '\0';
    Report(state.fileName, (long)state.lineNumber, message, state.line, (int)state.readIndex);
}

SourcePlace CurrentSourcePlace() {
    SourcePlace place;
    if (!gLex) return place;
    place.file = gLex->fileName;
    place.line = (long)gLex->lineNumber;
    place.text.assign(gLex->text, size_t(gLex->lineLength > 0 ? gLex->lineLength - 1 : 0));
    place.column = (int)gLex->readIndex;
    return place;
}

void FatalErrorAt(const SourcePlace& place, const char* message) {
    Report(place.file.c_str(), place.line, message, place.text.c_str(), place.column);
}

void FatalErrorIn(const char* operation, const char* message) {
    static char joined[256];
    joined[0] = '\0';
    FormatBounded(joined, sizeof joined - 1, "%s: %s", operation, message);
    FatalError(joined);
}

void FatalErrorWithPath(const char* format, const std::string& path, size_t limit) {
    std::string message(limit + 1, '\0');
    FormatBounded(&message[0], limit, format, path.c_str());
    FatalError(message.c_str());
}
