// The whole run: arguments in, exit status out. All process-wide state is reset first.
#pragma once

struct Diagnostic;

// Prints a diagnostic where and as the command line prints it.
void PrintDiagnostic(const Diagnostic& d);

int RunPropwright(int argc, const char* const* argv);
