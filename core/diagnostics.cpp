// Formatted writers, the fatal reporter and the block framing shared by all converters.
#include "core/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/platform.h"
#include "core/settings.h"
#include "lexer/charsource.h"

const char kScriptOpening[] =
    "#define RSCL32(a,b,c,d)   0x ## c ## d, 0x ## a ## b\n"
    "#define LC(a,b,c,d)       #d, #c, #b, #a\n"
    "#define RSCS32(a)         a, 0\n"
    "\n";

void WriteOutput(FILE* stream, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(stream, format, args);
    va_end(args);
}

void WriteConsole(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(stdout, format, args);
    va_end(args);
}

void FormatBounded(char* buffer, size_t count, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, count + 1, format, args);
    va_end(args);
}

void DiscardOutput() {
    if (!OutputStream) return;
    fclose(OutputStream);
    OutputStream = nullptr;
    if (OutputDevice) {
        // A device is never removed; nothing of the script has reached it yet.
        fclose(OutputDevice);
        OutputDevice = nullptr;
        return;
    }
    if (!OutputTempPath.empty()) RemoveTempFile(OutputTempPath);
    if (!OutputFinalPath.empty()) remove(OutputFinalPath.c_str());
}

void FatalError(const char* message) {
    TLexState snapshot;
    snapshot.Capture();
    LexState& state = snapshot.State();
    int cut = state.lineLength > 0 ? state.lineLength - 1 : 0;
    state.line[cut] = '\0';
    fflush(stderr);
    WriteConsole("%s(%ld) : error: %s ('%s' : %d)\n\n", state.fileName, (long)state.lineNumber,
                 message, state.line, (int)state.readIndex);
    fflush(stdout);
    DiscardOutput();
    throw FatalExit{1};
}

void FatalErrorIn(const char* operation, const char* message) {
    static char joined[256];
    joined[0] = '\0';
    FormatBounded(joined, sizeof joined - 1, "%s: %s", operation, message);
    FatalError(joined);
}

void WriteBlockStart(int id, const char* typeName) {
    if (id < 1) WriteConsole("WARNING: Writing %s resource with id of %d\n", typeName, id);
    WriteOutput(OutputStream, "%d  %s  DISCARDABLE\nBEGIN\n", id, typeName);
}

void WriteBlockEnd() {
    WriteOutput(OutputStream, "END\n\n");
}

long OutputPosition() {
    return ftell(OutputStream);
}

void CheckFieldLimit(const char* field, unsigned long value, unsigned long limit) {
    if (value <= limit) return;
    char message[256] = {0};
    FormatBounded(message, sizeof message - 1, "%s %lu does not fit (at most %lu)", field, value,
                  limit);
    FatalError(message);
}

void PatchField(long position, unsigned long value, const char* field) {
    CheckFieldLimit(field, value, 65535);
    long end = ftell(OutputStream);
    fseek(OutputStream, position, SEEK_SET);
    WriteOutput(OutputStream, "%5d", (int)value);
    fseek(OutputStream, end, SEEK_SET);
}
