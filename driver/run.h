// The whole run: arguments in, exit status out. All process-wide state is reset first.
#pragma once

int RunPropwright(int argc, const char* const* argv);
