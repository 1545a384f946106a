// Diagnostics and output primitives: the formatted writers, the fatal reporter and the
// opening text of every resource script.
#pragma once
#include <cstdio>
#include <cstddef>

#if defined(__GNUC__)
#define PW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define PW_PRINTF(f, a)
#endif

extern const char kScriptOpening[];

// Thrown by the fatal reporter after it has printed and removed the output; caught by the run.
struct FatalExit {
    int status;
};

void WriteOutput(FILE* stream, const char* format, ...) PW_PRINTF(2, 3);
void WriteConsole(const char* format, ...) PW_PRINTF(1, 2);
void FormatBounded(char* buffer, size_t count, const char* format, ...) PW_PRINTF(3, 4);

// Closes and removes the script being written (the file a link leads to, never the link; a
// device is only closed), so a failed run leaves no output behind. Nothing when none is open.
void DiscardOutput();
[[noreturn]] void FatalError(const char* message);
[[noreturn]] void FatalErrorIn(const char* operation, const char* message);

// Writes a warning for a resource identifier below 1, then the block's first two lines.
void WriteBlockStart(int id, const char* typeName);
void WriteBlockEnd();

// Output positions for back-patching.
long OutputPosition();
// Overwrites the five characters at position with value ("%5d"); value must fit 0..65535,
// otherwise the run fails naming the field.
void PatchField(long position, unsigned long value, const char* field);
// Fails the run naming the field when value exceeds limit.
void CheckFieldLimit(const char* field, unsigned long value, unsigned long limit);
