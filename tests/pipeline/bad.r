// The entry point is given a number where a string belongs.
#include "plugin.h"
#include <stddef.h>

resource 'Vtag' (kResourceID) {
	{
		Kind { Filter },
		Name { kPlugInName },
		CodeWin64X86 { kVersionMajor }
	}
};
