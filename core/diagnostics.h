// Console text: the formatted writers of stdout and stderr, bounded formatting, the exit signal.
#pragma once
#include <cstddef>

#if defined(__GNUC__)
#define PW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define PW_PRINTF(f, a)
#endif

// Thrown by the fatal reporter after it has printed; the run catches it, removes the output
// and returns the status.
struct FatalExit {
    int status;
};

void WriteConsole(const char* format, ...) PW_PRINTF(1, 2);   // stdout
void WriteError(const char* format, ...) PW_PRINTF(1, 2);     // stderr
// Formats into buffer, which holds count characters and the terminating zero.
void FormatBounded(char* buffer, size_t count, const char* format, ...) PW_PRINTF(3, 4);
// Joins the three texts into buffer the same way, for the comments written per item, where
// formatting would cost more than the item.
void JoinBounded(char* buffer, size_t count, const char* a, const char* b, const char* c);
