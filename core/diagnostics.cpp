// Console text: the formatted writers of stdout and stderr and bounded formatting.
#include "core/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void WriteConsole(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(stdout, format, args);
    va_end(args);
}

void WriteError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
}

void FormatBounded(char* buffer, size_t count, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, count + 1, format, args);
    va_end(args);
}
