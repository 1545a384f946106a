// The property lists of the checked test plug-ins. X86, X64 and ARM64 add the code property of
// that machine (X64_TAB one whose text holds a tab); NO_KIND and NO_NAME leave a property out; TWICE repeats the category; ADPR_CODE
// gives the helper list an entry point of its own.
resource 'Vtag' (16000, "Soft Glow") {
	{
#ifndef NO_KIND
		Kind { Filter },
#endif
#ifndef NO_NAME
		Name { "Soft Glow" },
#endif
		Category { "Samples" },
#ifdef TWICE
		Category { "Samples" },
		Category { "More Samples" },
#endif
#ifdef X86
		CodeWin32X86 { "PluginMain" },
#endif
#ifdef X64
		CodeWin64X86 { "PluginMain" },
#endif
#ifdef X64_TAB
		CodeWin64X86 { "Plugin\tMain" },
#endif
#ifdef ARM64
		CodeWin64ARM { "PluginMain" },
#endif
		Version { 0x10000 }
	}
};

// A list without code properties: no entry point is asked of it.
resource 'AdPr' (16001) {
	{
		Category { "Helpers" },
#ifdef ADPR_CODE
		CodeWin64X86 { "HelperMain" },
#endif
	}
};
