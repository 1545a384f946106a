// Run settings shared by the driver and the converters.
#include "core/settings.h"

bool VerboseIds = false;
int LanguageOption = 0;
bool BuildQkPn = false;
FILE* OutputStream = nullptr;
std::string OutputPath;
std::string OutputFinalPath;
std::string OutputTempPath;
FILE* OutputDevice = nullptr;

void ResetSettings() {
    VerboseIds = false;
    LanguageOption = 0;
    BuildQkPn = false;
    OutputStream = nullptr;
    OutputPath.clear();
    OutputFinalPath.clear();
    OutputTempPath.clear();
    OutputDevice = nullptr;
}
