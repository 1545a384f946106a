/* Names and numbers shared by the plug-in's code and its resources. */
#ifndef PLUGIN_H
#define PLUGIN_H

#define kPlugInName "Glow"
#define kPlugInCategory "Effects"

#if MSWindows
#define kEntryPoint "GlowEntryWin"
#else
#define kEntryPoint "GlowEntry"
#endif

#define kResourceID 16000
#define kVersionMajor 2
#define kVersionMinor 1

#endif
