// Run settings: set once at start-up from the command line, read during the conversion.
#pragma once

extern bool VerboseIds;
extern int LanguageOption;   // 0 none, 1 -j, 2 -c, 3 -k
extern bool BuildQkPn;
// The source's text is UTF-8: -u, or a main source that starts with the byte order mark.
extern bool SourceUtf8;

void ResetSettings();
