// The output: the script's target, its safe replacement, block framing and back-patching.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/diagnostics.h"

extern std::string OutputPath;       // the target as given
extern std::string OutputFinalPath;  // the regular file finally written, links followed
extern std::string OutputTempPath;   // where the script is written until the run succeeds
extern FILE* OutputDevice;  // a device target, written at the end; the script waits in scratch

constexpr size_t kOutputPathMax = 2047;

extern const char kScriptOpening[];

void ResetOutput();
// Opens the output for path and writes the script's opening text; fails the run with
// "Unable to open output file" or "Path too long".
void OpenOutputFile(const std::string& path);
// Moves the finished script into place or hands it to the device; a failed write fails the run.
void CloseOutputFile();
// Closes and removes the script being written (the file a link leads to, never the link; a
// device is only closed), so a failed run leaves no output behind. Nothing when none is open.
void DiscardOutput();
// A path message for a fatal error, cut to the longest path plus the message text.
[[noreturn]] void FailPath(const char* format, const std::string& path);

// Writes a warning for a resource identifier below 1, then the block's first two lines.
void WriteBlockStart(int id, const char* typeName);
void WriteBlockEnd();
// The same warning, then a string table's first lines up to its identifier; its text follows
// as a quoted piece, and WriteBlockEnd ends it.
void WriteStringTableStart(int32_t id);

// Output positions for back-patching.
long OutputPosition();
// Overwrites the five characters at position with value ("%5d"); value must fit 0..65535,
// otherwise the run fails naming the field.
void PatchField(long position, unsigned long value, const char* field);
// Fails the run naming the field when value exceeds limit.
void CheckFieldLimit(const char* field, unsigned long value, unsigned long limit);
