// The interactive help menu and keyword browser; returns the exit status.
#pragma once

int ShowHelpMenu();
void BrowseKeywords();
