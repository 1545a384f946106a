// The interactive help menu and keyword browser; returns the exit status.
#pragma once

int ShowHelpMenu();
// The arguments and options, for --help (after the usage line).
void ShowCommandLineHelp();
void BrowseKeywords();
// The first line of every run: name, build kind, version and build time.
void ShowBanner();
