// Resources of the Glow filter. The compiler's own stddef.h brings typedefs, which the
// conversion passes over, and line markers for a system header.
#include "plugin.h"
#include <stddef.h>

resource 'Vtag' (kResourceID, "Glow", purgeable) {
	{
		Kind { Filter },
		Name { kPlugInName },
		Category { kPlugInCategory },
		Version { (kVersionMajor << 16) | kVersionMinor },
#if MSWindows
		CodeWin64X86 { kEntryPoint }
#else
		CodeWin64X86 { "GlowEntryMac" }
#endif
	}
};

resource 'STR ' (kResourceID + 1) { kPlugInName " " kPlugInCategory };
