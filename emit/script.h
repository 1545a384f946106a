// The raw script writer, for the emit layer only: every other layer writes through the
// item writers and the block framing of output.h.
#pragma once
#include <cstdio>

#include "core/diagnostics.h"

extern FILE* OutputStream;

void WriteOutput(FILE* stream, const char* format, ...) PW_PRINTF(2, 3);
