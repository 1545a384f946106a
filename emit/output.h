// The script being written: block framing, back-patching and the hand-over to the sink.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/diagnostics.h"

// The script's opening text: the macros its blocks use.
void WriteScriptOpening();
// Hands what is assembled of the script to the sink (at the end of a run); nothing without one.
void HandOverScript();

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
