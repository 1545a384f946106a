/* The Edge Tint sample filter: the one entry point that its property list names (PluginMain). */
#include "edgetint_ids.h"

#ifdef _WIN32
#define EDGETINT_EXPORT __declspec(dllexport)
#else
#define EDGETINT_EXPORT
#endif

/* A host calls the entry point with a selector and its parameter block; this sample only
   reports which resource describes it. */
EDGETINT_EXPORT int PluginMain(int selector, void* parameters) {
    (void)selector;
    (void)parameters;
    return kEdgeTintResourceID;
}
