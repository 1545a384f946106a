// The fatal reporter: an error at the current source position ends the run.
#pragma once
#include <cstddef>
#include <string>

// Prints "file(line) : error: message ('line text' : column)" to stdout and throws FatalExit;
// the run then removes the output.
[[noreturn]] void FatalError(const char* message);
// The same, the message preceded by "operation: ".
[[noreturn]] void FatalErrorIn(const char* operation, const char* message);
// The same with a message made of format and path, cut to limit characters.
[[noreturn]] void FatalErrorWithPath(const char* format, const std::string& path, size_t limit);
