// Console text: the formatted writers of stdout and stderr and bounded formatting.
#include "core/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <initializer_list>

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

void JoinBounded(char* buffer, size_t count, const char* a, const char* b, const char* c) {
    size_t used = 0;
    for (const char* part : {a, b, c}) {
        const size_t length = std::strlen(part);
        const size_t taken = length < count - used ? length : count - used;
        std::memcpy(buffer + used, part, taken);
        used += taken;
    }
    buffer[used] = '\0';
}
