# Writes a benchmark source shaped like real plug-in sources to standard output, and the shared
# header it includes to the file named by header.
# Usage: awk -v kilobytes=1000 -v header=shared.h -f genmix.awk > mix.rr
#
# The source begins with #include of the header (by its name as given, so run the tool and
# cpp from the header's folder) and then repeats one plug-in unit until it holds kilobytes
# thousand bytes: a property list of some twenty to forty properties
# of every shape (filter, image format or effect host, in turn), an add-in list, a string table
# entry, a Pate text and, every fourth unit, a scripting terminology resource. Every unit uses
# its own identifiers, so the converted script compiles without duplicate resources. The
# identifiers are expressions over the header's fixed set of #defines: the number of symbols
# stays the same at every size, so the growth of the symbol table is measured on its own.
BEGIN {
    if (kilobytes == "") kilobytes = 1000
    if (header == "") header = "shared.h"
    limit = kilobytes * 1000
    write_header()

    split("Filter Parser ImageFormat Extension Acquire Export Selection Picker Actions Measurement", kinds, " ")
    split("MVEffect MVImageFormat MVGeneral RlEffect RlVideoFilter RlAudioFilter", hostkinds, " ")
    split("none scanner camera video floppy cdrom internet", classes, " ")

    s = "/* Benchmark source: plug-in units of every resource kind the tool converts. */\n"
    s = s "#include \"" header "\"\n\n"
    printf "%s", s
    size = length(s)
    for (u = 1; size < limit; u++) {
        if (u + 1000 > 65000) {
            print "genmix.awk: too many units for 16-bit resource ids; ask for fewer kilobytes" > "/dev/stderr"
            exit 1
        }
        s = unit(u)
        printf "%s", s
        size += length(s)
    }
}

function write_header() {
    printf "%s", \
        "/* Shared definitions of the benchmark plug-ins. */\n" \
        "#define kBaseResourceID 1000\n" \
        "#define kVersionMajor 2\n" \
        "#define kVersionMinor 5\n" \
        "#define kComponentVersion ((kVersionMajor << 16) | kVersionMinor)\n" \
        "#define kVendorName \"Lumetra Bench\"\n" \
        "#define kCategoryName \"Lumetra Samples\"\n" \
        "#define kEntryPoint \"PluginMain\"\n" \
        "#define kMaxImageSize 30000\n" \
        "#define kDefaultPriority 3\n" \
        "enum { kHostCode = 'Lmtr', kSuiteCode = 'LmBn', kTermEvent = 5 };\n" \
        "enum Formats { kFormatType = '8BIM', kTextType = 'TEXT' };\n" > header
    for (k = 0; k < 256; k++)
        printf "#define kPlugIn%dResourceID (kBaseResourceID + %d)\n", k, k > header
    close(header)
}

# One plug-in unit; its resources have the identifier kBaseResourceID + u (one per type).
function unit(u,    id, s, k, name) {
    id = sprintf("kPlugIn%dResourceID + %d", u % 256, u - u % 256)
    name = sprintf("Bench Plug-in %d", u)
    s = sprintf("/* Unit %d */\n", u)
    if (u % 3 == 1) s = s filter_vtag(u, id, name)
    else if (u % 3 == 2) s = s format_vtag(u, id, name)
    else s = s host_vtag(u, id, name)
    s = s addins(u, id)
    s = s sprintf("resource 'STR ' (%s, \"About %d\", purgeable) {\n" \
                  "\t\"%s \\xA9 \" kVendorName \". Version %d.\"\n" \
                  "\t\" Softens and brightens the highlights of the image.\"\n};\n\n", id, u, name, u)
    s = s sprintf("resource 'Pate' (%s) {\n" \
                  "\t\"%s: a text long enough to be cut into several script lines of at most \"\n" \
                  "\t\"seventy characters each, with an escape \\\\ and a tab\\t in it.\"\n};\n\n", id, name)
    if (u % 4 == 0) s = s aete(u, id, name)
    return s
}

# Properties every list carries: kind, name, category, version, component, code entries.
function common_props(u, id, name, kind,    s) {
    s = sprintf("\t\tKind { %s },\n", kind)
    s = s sprintf("\t\tName { \"%s...\" },\n", name)
    s = s "\t\tCategory { kCategoryName },\n"
    s = s sprintf("\t\tVersion { (kVersionMajor << 16) | %d },\n", u % 100)
    s = s sprintf("\t\tComponent { kComponentVersion, \"com.lumetra.bench.plugin%d\" },\n", u)
    s = s sprintf("\t\tPriority { kDefaultPriority + %d },\n", u % 7)
    s = s "\t\tRequiredHost { kHostCode },\n"
    s = s "\t\tCodeWin32X86 { kEntryPoint },\n"
    s = s "\t\tCodeWin64X86 { kEntryPoint },\n"
    s = s "\t\tCodeWin64ARM { \"PluginMainARM\" },\n"
    s = s sprintf("\t\tHasTerminology { kSuiteCode, 'gl%02d', %s, \"7b1f%08x-bench-terminology\" },\n", u % 100, id, u)
    s = s "\t\tInterfaceVersion { 0x00010002 },\n"
    s = s "\t\tPlugInMaxSize { kMaxImageSize, kMaxImageSize },\n"
    s = s "\t\tPlugInMinSize { 16, 16 },\n"
    s = s "\t\tFileBrowserAware { },\n"
    s = s "\t\tMonitorScalingAware { },\n"
    return s
}

function filter_vtag(u, id, name,    s) {
    s = sprintf("resource 'Vtag' (%s, \"%s\", purgeable)\n{\n\t{\n", id, name)
    s = s common_props(u, id, name, kinds[u % 10 + 1])
    s = s "\t\tEnableInfo { \"in (ImageMode, RGBMode, GrayMode, CMYKMode) && ImageDepth <= 16\" },\n"
    s = s "\t\tSupportedModes { noBitmap, doesSupportGrayScale, noIndexedColor, doesSupportRGBColor, " \
          "doesSupportCMYKColor, doesSupportHSLColor, doesSupportHSBColor, doesSupportMultichannel, " \
          "doesSupportDuotone, doesSupportLABColor },\n"
    s = s "\t\tFilterLayerSupport { doesSupportFilterLayers },\n"
    s = s "\t\tFilterCaseInfo {\n\t\t\t{\n" \
          "\t\t\t\tinStraightData, outStraightData, doNotWriteOutsideSelection, doesNotFilterLayerMasks, doesNotWorkWithBlankData, copySourceToDestination,\n" \
          "\t\t\t\tinBlackMat, outFillMask, writeOutsideSelection, doesNotFilterLayerMasks, doesNotWorkWithBlankData, doNotCopySourceToDestination,\n" \
          "\t\t\t\tinGrayMat, outGrayMat, doNotWriteOutsideSelection, filtersLayerMasks, worksWithBlankData, copySourceToDestination,\n" \
          "\t\t\t\tinWhiteMat, outWhiteMat, doNotWriteOutsideSelection, doesNotFilterLayerMasks, doesNotWorkWithBlankData, copySourceToDestination,\n" \
          "\t\t\t\tinDefringe, outBlackMat, doNotWriteOutsideSelection, doesNotFilterLayerMasks, doesNotWorkWithBlankData, copySourceToDestination,\n" \
          "\t\t\t\tinBlackZap, outCantFilter, doNotWriteOutsideSelection, doesNotFilterLayerMasks, doesNotWorkWithBlankData, copySourceToDestination,\n" \
          "\t\t\t\tinGrayZap, outFillMask, writeOutsideSelection, filtersLayerMasks, worksWithBlankData, doNotCopySourceToDestination\n" \
          "\t\t\t}\n\t\t},\n"
    s = s "\t\tKeywords { { \"glow\", \"soften\", \"highlights\" } },\n"
    s = s "\t\tWantsScrap { },\n"
    s = s "\t\tLoadUnload { }\n"
    s = s "\t}\n};\n\n"
    return s
}

function format_vtag(u, id, name,    s) {
    s = sprintf("resource 'Vtag' (%s, \"%s\", purgeable)\n{\n\t{\n", id, name)
    s = s common_props(u, id, name, "ImageFormat")
    s = s "\t\tFmtFileType { kFormatType, '8BIM' },\n"
    s = s "\t\tReadTypes { { '8B1F', '    ', 'TIFF', kTextType } },\n"
    s = s "\t\tReadExtensions { { 'TIF' }, { 'TIFF' } },\n"
    s = s "\t\tWriteExtensions { { 'tif', 'tiff' } },\n"
    s = s "\t\tFilteredExtensions { { 'png', 'gif' } },\n"
    s = s "\t\tFormatFlags { fmtSavesImageResources, fmtCanRead, fmtCanWrite, fmtCanWriteIfRead, " \
          "fmtCanWriteTransparency, fmtCanCreateThumbnail },\n"
    s = s "\t\tFormatICCFlags { iccCanEmbedGray, iccCannotEmbedIndexed, iccCanEmbedRGB, iccCanEmbedCMYK },\n"
    s = s "\t\tFormatICCRequiredFlags { iccGrayOptional, iccIndexedOptional, iccRGBRequired, iccCMYKOptional },\n"
    s = s "\t\tFormatHiddenFlags { formatReadVisible, formatWriteVisible },\n"
    s = s "\t\tFormatLayerSupport { doesSupportFormatLayers },\n"
    s = s "\t\tFormatMaxSize { { kMaxImageSize, kMaxImageSize } },\n"
    s = s "\t\tFormatMaxChannels { { 1, 24, 4, 5, 5, 4, 4, 4 } },\n"
    s = s sprintf("\t\tFormatFileSizeLimit { %d },\n", 4096 + u % 1000)
    s = s "\t\tExportFlags { expSupportsTransparency },\n"
    s = s "\t\tSupportedModes { doesSupportBitmap, doesSupportGrayScale, doesSupportIndexedColor, " \
          "doesSupportRGBColor, doesSupportCMYKColor, noHSLColor, noHSBColor, doesSupportMultichannel, " \
          "doesSupportDuotone, doesSupportLABColor },\n"
    s = s "\t\tMessages { noStartupRequired, purgeCache, 0, acceptProperty },\n"
    s = s sprintf("\t\tClass { %s },\n", classes[u % 7 + 1])
    s = s sprintf("\t\tButtonIcon { cicn, ICON, %d, \"Go\" },\n", 300 + u % 100)
    s = s "\t\tImports { { \"Bench.Import\", 1, \"Bench.Color\", 2 } },\n"
    s = s "\t\tExports { { \"Bench.Export\", 7 } },\n"
    s = s "\t\tPreviewFile { \"preview.jpg\" },\n"
    s = s "\t\tFormatLayerSupportReadOnly { }\n"
    s = s "\t}\n};\n\n"
    return s
}

function host_vtag(u, id, name,    s) {
    s = sprintf("resource 'Vtag' (%s, \"%s\", purgeable)\n{\n\t{\n", id, name)
    s = s common_props(u, id, name, hostkinds[u % 6 + 1])
    s = s "\t\tMV_Effect_Spec_Version { 13, 2 },\n"
    s = s "\t\tMV_Vtag_Version { 3, 1 },\n"
    s = s sprintf("\t\tMV_Effect_Version { \"0000 0001 0000 %s\" },\n", (u % 2) ? "0001" : "0010")
    s = s "\t\tMV_Effect_Info_Flags { 0x10 | 1 },\n"
    s = s "\t\tMV_Effect_Global_OutFlags { 0, useAudio, 0, 0, 0, 0, haveCustomUI, squarePixOnly, 0, 0, 0, " \
          "pixIndependent, 0, 0, sendDoDialog, useOutputExtent, doesDialog, 0, 0, 0, 0, 0 },\n"
    s = s sprintf("\t\tMV_Effect_Match_Name { \"BENCH Effect %d\" },\n", u)
    s = s "\t\tMV_Reserved { 0 },\n"
    s = s "\t\tMV_ImageFormat_Extension_Info { 2, 1, 0, nonSequentialOk, 0, 0, 0, 0, hasVideo, 0, hasFile, output, input, 'EXT ' },\n"
    s = s "\t\tANIM_FilterInfo { 3, 0, 0, 0, doesntNeedDialog, 0, paramsHandle, 0, 0, 0, bgAnimatable, fgAnimatable, 0, 0, 2, \"Bench Match\" },\n"
    s = s "\t\tANIM_ParamAtom { 0, \"Amount\", 100, ANIM_DT_LONG, ANIM_UI_SLIDER, 0, 0, 0, 100, 0, 100, 50, 0, animateParam, 0, 0, 0, 0 },\n"
    s = s "\t\tANIM_ParamAtom { 1, \"Center\", 101, ANIM_DT_FIXED, ANIM_UI_POINT, 0, 0, 0xFFFFFFFF, 0x7FFFFFFF, 1, 2, 100, 0, animateParam, 0, spaceIsRelative, 0, 4 },\n"
    s = s "\t\tRl_Effect_Info { 0x1FF, 3, needsCallbacksAtSetup, 0, 0, 0, hasCustomDialog, 0, 0, reversible, haveEdges, 0, 0 },\n"
    s = s sprintf("\t\tRl_Effect_Description { \"Bench effect %d\" \" for the host\" },\n", u)
    s = s "\t\tReentrant { }\n"
    s = s "\t}\n};\n\n"
    return s
}

function addins(u, id,    s) {
    s = sprintf("resource 'AdIn' (%s, \"Add-ins\", purgeable) {\n\t{\n", id)
    s = s "\t\t\"Filters\", {\n\t\t\t\"Glow\", { 1, 2, 3 },\n\t\t\t\"Blur\", { 4, 5 },\n\t\t\t\"Sharpen\", { 6 }\n\t\t},\n"
    s = s sprintf("\t\t\"Tools\", {\n\t\t\t\"Measure\", { %d, 12 },\n\t\t\t\"Picker\", { }\n\t\t}\n", u % 30000)
    s = s "\t}\n};\n\n"
    return s
}

function aete(u, id, name,    s) {
    s = sprintf("resource 'aete' (%s, \"Terms\", purgeable) {\n\t1, 0, english, 0,\n\t{\n", id)
    s = s sprintf("\t\t\"%s\", \"The plug-in's suite\", 'LmBn', 1, 1,\n\t\t{\n", name)
    s = s sprintf("\t\t\t\"glow\", \"applies the glow\", 'Lmtr', 'gl%02d', 'null', \"\",\n", u % 100)
    s = s "\t\t\treplyOptional, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,\n"
    s = s "\t\t\t'null', \"\",\n"
    s = s "\t\t\tdirectParamOptional, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,\n"
    s = s "\t\t\t{\n"
    s = s "\t\t\t\t\"amount\", 'amnt', 'long', \"how much\",\n"
    s = s "\t\t\t\toptional, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, labeledParam, 0, 0, 0,\n"
    s = s "\t\t\t\t\"radius\", 'rads', 'doub', \"how far\",\n"
    s = s "\t\t\t\toptional, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, labeledParam, 0, 0, 0\n"
    s = s "\t\t\t}\n\t\t},\n"
    s = s "\t\t{\n\t\t\t\"settings\", 'sett', \"the settings\",\n\t\t\t{\n"
    s = s "\t\t\t\t\"name\", 'pnam', 'TEXT', \"its name\",\n"
    s = s "\t\t\t\t0, 0, 0, readWrite, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
    s = s "\t\t\t},\n\t\t\t{ 'word', { 'indx', 'rele' } }\n\t\t},\n"
    s = s "\t\t{ },\n"
    s = s "\t\t{\n\t\t\t'mode', {\n\t\t\t\t\"soft\", 'soft', \"a soft glow\",\n\t\t\t\t\"hard\", 'hard', \"\"\n\t\t\t}\n\t\t}\n"
    s = s "\t}\n};\n\n"
    return s
}
