// Every property family, one table each: a row is a property as it stands on line 3 of a list of
// its own, and either the record it writes or the diagnostic it fails with (then nothing but the
// source is left in the folder).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/convert_rows.h"

namespace {

const std::string kListHead = std::string(kScriptStart) +
                              "16000  Vtag  DISCARDABLE\nBEGIN\n"
                              "\t1, /* First byte must always be 1 */\n"
                              "\t0L, /* kCurrentVtag Version */\n"
                              "\t    1L, /* Property count */\n";

// A code item: the four characters reversed, then the comment.
std::string CodeItem(const std::string& code, const std::string& comment) {
    return "\t\"" + std::string(code.rbegin(), code.rend()) + "\", " + comment + "\n";
}

// Vendor, key, index and length lines of a record; length as the five-character field shows it.
std::string Header(const std::string& vendor, const std::string& key, const std::string& name,
                   const std::string& length) {
    return CodeItem(vendor, "/* '" + vendor + "' */") + CodeItem(key, "/* '" + key + "' " + name + " */") +
           "\t0L, /* Index */\n\t" + length + "L, /* Length */\n";
}

struct Writes {
    std::string line;    // the property in the source
    std::string record;  // what it writes, header included
};

struct Fails {
    std::string line;
    std::string context, message;
    int column;  // the read index: after the refused token (a number also takes the blanks after it)
};

// The property on line 3 of a list of its own.
Converted ConvertLine(const std::string& line) {
    return ConvertText("resource 'Vtag' (16000) {\n\t{\n" + line + "\n\t}\n};\n");
}

void Check(const std::vector<Writes>& rows) {
    for (const Writes& row : rows) {
        SCOPED_TRACE(row.line);
        const Converted c = ConvertLine(row.line);
        EXPECT_EQ(c.status, 0) << c.out;
        EXPECT_EQ(c.err, "");
        EXPECT_EQ(c.script, kListHead + row.record + "\nEND\n\n");
    }
}

void Check(const std::vector<Fails>& rows) {
    for (const Fails& row : rows) {
        SCOPED_TRACE(row.line);
        const Converted c = ConvertLine(row.line);
        EXPECT_EQ(c.status, 1);
        EXPECT_EQ(c.out, "in.rr(3) : error: " + row.context + ": " + row.message + " ('" + row.line +
                             "' : " + std::to_string(row.column) + ")\n\n");
        EXPECT_EQ(c.err, "");
        EXPECT_EQ(c.script, "");
    }
}

// A keyword whose open brace is replaced by a parenthesis: refused right after the parenthesis.
Fails NoOpenBrace(const std::string& keyword, const std::string& context, const std::string& body) {
    return {keyword + " ( " + (body.empty() ? "" : body + " ") + ")", context, "Open brace expected",
            int(keyword.size()) + 2};
}

// A semicolon where the close brace must stand: refused right after the semicolon.
Fails SemicolonForCloseBrace(const std::string& keyword, const std::string& context,
                             const std::string& body) {
    const std::string line = keyword + " { " + body + " ; }";
    return {line, context, "Close brace expected", int(line.size()) - 2};
}

TEST(PropertyFamilies, PresenceFlagsWriteOneWhateverTheyHold) {
    struct Row {
        std::string keyword, key, context = "";
    };
    // An empty context is "Parse" and the keyword.
    const Row rows[] = {
        {"WantsScrap", "wnsc"}, {"FileBrowserAware", "fbaw"}, {"NoAboutBox", "nabo"},
        {"LegacyFilterGalleryMenuItem", "lFGm", "ParseLegacyFilterMenu"},
        {"PositionDependent", "posd"}, {"MonitorScalingAware", "pmsa"}, {"FileProperties", "ffps"},
        {"LosslessRotate", "fllr"}, {"BulkSettings", "ffbs"}, {"PrimaryMetadataSource", "ffpm"},
        {"PrimaryThumbnailSource", "ffpt"}, {"XMPRead", "xmpr"}, {"XMPWrite", "xmpw"},
        {"QuickExtractThumbnail", "qthm"}, {"BulkOpen", "ffbo"}, {"LoadUnload", "piLU"},
        {"Preferences", "piPF"}, {"RawSettings", "rscp"}, {"OpenWriteAccess", "fowa"},
        {"WarnIfOverridden", "fwio"}, {"ResourceThreadSafe", "frts"},
        {"SupportsBackgroundSave", "fbgs"}, {"SupportsPOSIXIO", "fxio"},
        {"SupportsPluginOpeningFile", "fpof"}, {"Persistent", "prst"},
        {"LoadWithAlteredSearchPath", "adll"}, {"Reentrant", "reen"},
        {"FormatLayerSupportReadOnly", "slRO"}, {"StackRenderer", "sRnd", "StackRenderer"},
        {"EditinPlugin", "ediP", "EditinPlugin"},
        {"PluginLaunchesEditor", "piLe", "PluginLaunchesEditor"},
    };
    for (const Row& row : rows) {
        const std::string record = Header("LMTR", row.key, row.keyword, "    4") + "\t1L, \n";
        Check(std::vector<Writes>{{row.keyword + " { }", record}, {row.keyword + " { 0 }", record}});
        Check(std::vector<Fails>{
            NoOpenBrace(row.keyword, row.context.empty() ? "Parse" + row.keyword : row.context, "")});
    }
}

TEST(PropertyFamilies, NumbersHostAndSizePairs) {
    struct Row {
        std::string keyword, context, body;
    };
    const Row rows[] = {
        {"Version", "ParseVersionProperty", "1"},
        {"Priority", "ParsePriority", "1"},
        {"FormatFileSizeLimit", "ParseFormatFileSizeLimit", "1"},
        {"InterfaceVersion", "ParseInterfaceVersion", "1"},
        {"AdapterVersion", "ParseAdapterVersion", "1"},
        {"HV_STSP", "ParseHV_STSP", "1"},
        {"RequiredHost", "ParseRequiredHost", "'abcd'"},
    };
    for (const Row& row : rows)
        Check(std::vector<Fails>{NoOpenBrace(row.keyword, row.context, row.body),
                                 SemicolonForCloseBrace(row.keyword, row.context, row.body)});
    Check(std::vector<Fails>{NoOpenBrace("PlugInMaxSize", "ParseMaxImageSize", "1, 2"),
                             NoOpenBrace("PlugInMinSize", "ParseMinImageSize", "1, 2")});
}

TEST(PropertyFamilies, StringsArePrefixedOrTerminatedAndFilled) {
    struct Row {
        std::string keyword, vendor, key, name;
        bool prefixed;
        std::string comment = "", context = "";  // an empty context is "Parse" and the keyword
    };
    const Row rows[] = {
        {"Name", "LMTR", "name", "PINameProperty", true},
        {"ZStringName", "LMTR", "znam", "PIZStringNameProperty", true},
        {"Category", "LMTR", "catg", "PICategoryProperty", true},
        {"ZStringCategory", "LMTR", "zcat", "PIZStringCategoryProperty", true},
        {"ProgressText", "LMTR", "prog", "PIProgressTextProperty", true},
        {"ZStringProgressText", "LMTR", "zpro", "PIZStringProgressTextProperty", true},
        {"FeatureEnabled", "LMTR", "feen", "PIFeatureEnabledProperty", true},
        {"PickerID", "LMTR", "pnme", "PickerID", true, "/* Picker name */", "ParsePicker"},
        {"CodeWin32X86", "LMTR", "wx86", "PIWin32X86CodeProperty", false},
        {"CodeWin64X86", "LMTR", "8664", "PIWin64X86CodeProperty", false},
        {"CodeWin64ARM", "LMTR", "wa64", "PIWin64ARMCodeProperty", false},
        {"EnableInfo", "LMTR", "enbl", "EnableInfoProperty", false},
        {"InternalName", "ORVN", "pinm", "Plug-In Name", false},
        {"Description", "ORVN", "desc", "Description", false},
        {"Title", "ORVN", "titl", "Title", false},
    };
    for (const Row& row : rows) {
        // "ab" and a curly quote with d, joined: "ab'd", n = 4, k = 3, length 8.
        const std::string value = row.prefixed ? "\t\"\\004ab'd\\0\\0\\0\", " + row.comment + "\n"
                                               : "\t\"ab'd\\0\\0\\0\\0\", \n";
        Check(std::vector<Writes>{
            {row.keyword + " { \"ab\" \"\xD2" "d\" }", Header(row.vendor, row.key, row.name, "    8") + value}});
        const std::string context = row.context.empty() ? "Parse" + row.keyword : row.context;
        Check(std::vector<Fails>{NoOpenBrace(row.keyword, context, "\"x\""),
                                 SemicolonForCloseBrace(row.keyword, context, "\"x\"")});
    }
}

}  // namespace
