// The fatal reporter: an error at the current source position ends the run.
#pragma once
#include <cstddef>
#include <string>

// Prints "file(line) : error: message ('line text' : column)" to stdout and throws FatalExit;
// the run then removes the output.
[[noreturn]] void FatalError(const char* message);
// The same, the message preceded by "operation: "; with a name to suggest (the word at the
// error looks like a misspelling of it), a note follows the error: "did you mean 'name'?".
[[noreturn]] void FatalErrorIn(const char* operation, const char* message,
                               const char* suggestion = nullptr);
// A source position kept for a later report: file, line number, the line's text, column.
struct SourcePlace {
    std::string file;
    long line = 0;
    std::string text;
    int column = 0;
};
SourcePlace CurrentSourcePlace();
// The same report at a kept position.
[[noreturn]] void FatalErrorAt(const SourcePlace& place, const char* message);
// The same with a message made of format and path, cut to limit characters.
[[noreturn]] void FatalErrorWithPath(const char* format, const std::string& path, size_t limit);
