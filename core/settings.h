// Run settings: set once at start-up, read during the conversion.
#pragma once
#include <cstdio>
#include <string>

extern bool VerboseIds;
extern int LanguageOption;   // 0 none, 1 -j, 2 -c, 3 -k
extern bool BuildQkPn;
extern FILE* OutputStream;
extern std::string OutputPath;   // the target as given
extern std::string OutputFinalPath;  // the regular file finally written, links followed
extern std::string OutputTempPath;  // where the script is written until the run succeeds
extern FILE* OutputDevice;  // a device target, written at the end; OutputStream is then scratch

void ResetSettings();
