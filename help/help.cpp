// Placeholder until the help menu is written.
#include "help/help.h"

int ShowHelpMenu() {
    return 0;
}

void BrowseKeywords() {}
