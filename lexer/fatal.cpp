// The fatal reporter: an error at the current source position ends the run.
#include "lexer/fatal.h"

#include "core/diagnostics.h"
#include "lexer/charsource.h"
#include "lexer/context.h"

[[noreturn]] static void Fail(const SourcePlace& place, const char* context, const char* message,
                              const char* suggestion = nullptr) {
    Diagnostic error;
    error.severity = Severity::kError;
    error.toStdout = true;
    error.file = place.file;
    error.line = place.line;
    error.lineText = place.text;
    error.column = place.column;
    error.context = context;
    error.message = message;
    Report(std::move(error));
    if (suggestion) {
        Diagnostic note;
        note.severity = Severity::kNote;
        note.message = std::string("did you mean '") + suggestion + "'?";
        Report(std::move(note));
    }
    throw FatalExit{1};
}

SourcePlace CurrentSourcePlace() {
    const LexState& s = Lex().lex;
    SourcePlace place;
    place.file = s.fileName;
    place.line = (long)s.lineNumber;
    place.text.assign(s.text, size_t(s.lineLength > 0 ? s.lineLength - 1 : 0));
    place.column = (int)s.readIndex;
    return place;
}

void FatalError(const char* message) {
    Fail(CurrentSourcePlace(), "", message);
}

void FatalErrorAt(const SourcePlace& place, const char* message) {
    Fail(place, "", message);
}

void FatalErrorIn(const char* operation, const char* message, const char* suggestion) {
    Fail(CurrentSourcePlace(), operation, message, suggestion);
}

void FatalErrorWithPath(const char* format, const std::string& path, size_t limit) {
    std::string message(limit + 1, '\0');
    FormatBounded(&message[0], limit, format, path.c_str());
    FatalError(message.c_str());
}
