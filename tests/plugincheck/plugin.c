/* The entry point of the checked test plug-ins. ENTRY names the function; STDCALL gives it
   the x86 __stdcall convention; NO_DLLEXPORT leaves the exports to the linker's command line;
   compiled as C++ it gets a C++ decorated name. */
#ifndef ENTRY
#define ENTRY PluginMain
#endif
#ifdef STDCALL
#define CALLING __stdcall
#else
#define CALLING
#endif
#ifdef NO_DLLEXPORT
#define EXPORTED
#else
#define EXPORTED __declspec(dllexport)
#endif

EXPORTED void CALLING ENTRY(short selector, void* block, long long* data, short* result) {
    (void)block;
    (void)data;
    *result = selector;
}
