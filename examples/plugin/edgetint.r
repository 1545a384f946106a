// Resources of the Edge Tint sample filter: the property list a host reads to load it, its
// add-in categories and its about text. The build preprocesses this file as C, with MSWindows=1.
#include "edgetint_ids.h"

resource 'Vtag' (kEdgeTintResourceID, kEdgeTintName, purgeable)
{
	{
		Kind { Filter },
		Name { kEdgeTintName "..." },
		Category { "Lumetra Samples" },
		Version { (kEdgeTintMajor << 16) | EDGETINT_MINOR },
#if MSWindows
		CodeWin64X86 { "PluginMain" },
#endif
		SupportedModes { noBitmap, doesSupportGrayScale, noIndexedColor, doesSupportRGBColor,
			noCMYKColor, noHSLColor, noHSBColor, noMultichannel, noDuotone, doesSupportLABColor },
		EnableInfo { "in (RGBMode, GrayMode, LabMode)" }
	}
};

resource 'AdIn' (kEdgeTintResourceID, kEdgeTintName, purgeable)
{
	{
		"Lumetra Samples", {
			kEdgeTintName, { 1, 2 },
			kEdgeTintName " Soft", { 3 }
		}
	}
};

resource 'STR ' (kEdgeTintAboutID, "About", purgeable)
{
	kEdgeTintName " tints the edges of the image."
};
