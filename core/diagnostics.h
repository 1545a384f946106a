// Diagnostics as values, console text (the formatted writers of stdout and stderr), bounded
// formatting, the exit signal.
#pragma once
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

#if defined(__GNUC__)
#define PW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define PW_PRINTF(f, a)
#endif

// What a conversion reports. The converter makes the values; the driver alone formats and
// prints them (an error as "file(line) : error: context: message ('text' : column)" on stdout,
// a note as "note: message" on stderr, the rest as their text on their stream).
enum class Severity {
    kError,    // fatal: the conversion ends with it
    kNote,     // a hint that follows an error
    kWarning,  // a warning or notice; the conversion goes on
    kText,     // other text the conversion prints as it goes (an identifier echo, a prefix)
};
struct Diagnostic {
    Severity severity = Severity::kWarning;
    bool toStdout = false;  // a warning or text printed on stdout rather than stderr
    std::string file;       // where: the source file, its line number, the line's text and
    long line = 0;          // the column (an error's; a warning keeps file and line only)
    std::string lineText;
    int column = 0;
    std::string context;  // an error's operation, printed before its message
    std::string message;  // an error's or note's message; else the whole text as printed
};
// Receives each diagnostic as the conversion makes it.
typedef std::function<void(const Diagnostic&)> DiagnosticSink;

// Thrown by the fatal reporter after it has reported; the run catches it, removes the output
// and returns the status.
struct FatalExit {
    int status;
};

void WriteConsole(const char* format, ...) PW_PRINTF(1, 2);   // stdout
void WriteError(const char* format, ...) PW_PRINTF(1, 2);     // stderr
// Formats into buffer, which holds count characters and the terminating zero.
void FormatBounded(char* buffer, size_t count, const char* format, ...) PW_PRINTF(3, 4);
// Appends as much of part to the used characters of buffer as fits count; returns the new
// number used.
inline size_t AppendBounded(char* buffer, size_t used, size_t count, const char* part) {
    const size_t length = std::strlen(part);
    const size_t taken = length < count - used ? length : count - used;
    std::memcpy(buffer + used, part, taken);
    return used + taken;
}
// Joins the three texts into buffer the same way, for the comments written per item, where
// formatting would cost more than the item; returns the length. In line, so that the length
// of a literal part is known when compiling.
inline size_t JoinBounded(char* buffer, size_t count, const char* a, const char* b,
                          const char* c) {
    size_t used = AppendBounded(buffer, 0, count, a);
    used = AppendBounded(buffer, used, count, b);
    used = AppendBounded(buffer, used, count, c);
    buffer[used] = '\0';
    return used;
}
