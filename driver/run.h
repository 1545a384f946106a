// The whole run: arguments in, exit status out. All process-wide state is reset first.
#pragma once

#include <string>

struct Diagnostic;

// A diagnostic as the command line prints it, and whether it goes to stdout (else stderr).
std::string FormatDiagnostic(const Diagnostic& d);
bool PrintedOnStdout(const Diagnostic& d);
void PrintDiagnostic(const Diagnostic& d);

int RunPropwright(int argc, const char* const* argv);
