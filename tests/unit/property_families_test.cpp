// Each property's parse step names itself when the property's braces are wrong: a row is a
// keyword on line 3 of a list of its own, with a parenthesis for its open brace or a semicolon
// where its close brace must stand. What the properties write is in the golden cases.
#include <gtest/gtest.h>

#include <string>

#include "tests/unit/convert_rows.h"

namespace {

// The line fails with "Close brace expected" when body is given, else "Open brace expected";
// column is the read index after the refused token.
void CheckFails(const std::string& line, const std::string& context, bool close, size_t column) {
    SCOPED_TRACE(line);
    const Converted c = ConvertText("resource 'Vtag' (16000) {\n\t{\n" + line + "\n\t}\n};\n");
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.out, "in.rr(3) : error: " + context + ": " + (close ? "Close" : "Open") +
                         " brace expected ('" + line + "' : " + std::to_string(column) + ")\n\n");
    EXPECT_EQ(c.err, "");
    EXPECT_EQ(c.script, "");
}

TEST(PropertyFamilies, BraceErrorsNameTheParseStep) {
    struct Row {
        std::string keyword, context, body;  // an empty context is "Parse" and the keyword
        bool closeToo;  // a semicolon for the close brace is refused too (presence flags read none)
    };
    const Row rows[] = {
        {"WantsScrap", "", "", false}, {"FileBrowserAware", "", "", false},
        {"NoAboutBox", "", "", false},
        {"LegacyFilterGalleryMenuItem", "ParseLegacyFilterMenu", "", false},
        {"PositionDependent", "", "", false}, {"MonitorScalingAware", "", "", false},
        {"FileProperties", "", "", false}, {"LosslessRotate", "", "", false},
        {"BulkSettings", "", "", false}, {"PrimaryMetadataSource", "", "", false},
        {"PrimaryThumbnailSource", "", "", false}, {"XMPRead", "", "", false},
        {"XMPWrite", "", "", false}, {"QuickExtractThumbnail", "", "", false},
        {"BulkOpen", "", "", false}, {"LoadUnload", "", "", false},
        {"Preferences", "", "", false}, {"RawSettings", "", "", false},
        {"OpenWriteAccess", "", "", false}, {"WarnIfOverridden", "", "", false},
        {"ResourceThreadSafe", "", "", false}, {"SupportsBackgroundSave", "", "", false},
        {"SupportsPOSIXIO", "", "", false}, {"SupportsPluginOpeningFile", "", "", false},
        {"Persistent", "", "", false}, {"LoadWithAlteredSearchPath", "", "", false},
        {"Reentrant", "", "", false}, {"FormatLayerSupportReadOnly", "", "", false},
        {"StackRenderer", "StackRenderer", "", false}, {"EditinPlugin", "EditinPlugin", "", false},
        {"PluginLaunchesEditor", "PluginLaunchesEditor", "", false},
        {"Version", "ParseVersionProperty", "1", true}, {"Priority", "", "1", true},
        {"FormatFileSizeLimit", "", "1", true}, {"InterfaceVersion", "", "1", true},
        {"AdapterVersion", "", "1", true}, {"HV_STSP", "", "1", true},
        {"RequiredHost", "", "'abcd'", true},
        {"PlugInMaxSize", "ParseMaxImageSize", "1, 2", false},
        {"PlugInMinSize", "ParseMinImageSize", "1, 2", false},
        {"Name", "", "\"x\"", true}, {"ZStringName", "", "\"x\"", true},
        {"Category", "", "\"x\"", true}, {"ZStringCategory", "", "\"x\"", true},
        {"ProgressText", "", "\"x\"", true}, {"ZStringProgressText", "", "\"x\"", true},
        {"FeatureEnabled", "", "\"x\"", true}, {"PickerID", "ParsePicker", "\"x\"", true},
        {"CodeWin32X86", "", "\"x\"", true}, {"CodeWin64X86", "", "\"x\"", true},
        {"CodeWin64ARM", "", "\"x\"", true}, {"EnableInfo", "", "\"x\"", true},
        {"InternalName", "", "\"x\"", true}, {"Description", "", "\"x\"", true},
        {"Title", "", "\"x\"", true},
    };
    for (const Row& row : rows) {
        const std::string context = row.context.empty() ? "Parse" + row.keyword : row.context;
        const std::string inner = row.body.empty() ? "" : row.body + " ";
        // Refused right after the parenthesis.
        CheckFails(row.keyword + " ( " + inner + ")", context, false, row.keyword.size() + 2);
        // Refused right after the semicolon.
        const std::string line = row.keyword + " { " + inner + "; }";
        if (row.closeToo) CheckFails(line, context, true, line.size() - 2);
    }
}

}  // namespace
