// Run settings shared by the driver and the converters.
#include "core/settings.h"

bool VerboseIds = false;
int LanguageOption = 0;
bool BuildQkPn = false;
bool SourceUtf8 = false;

void ResetSettings() {
    VerboseIds = false;
    LanguageOption = 0;
    BuildQkPn = false;
    SourceUtf8 = false;
}
