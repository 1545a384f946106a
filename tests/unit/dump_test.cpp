// propwright-dump: source printed for hand-made resources, problems found in damaged ones
// (.res and PE), and the command's statuses and messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dump/decode.h"
#include "tests/unit/bytes.h"

namespace {

ResEntry Resource(const std::string& type, const Bytes& data, uint16_t name = 16000) {
    ResEntry e;
    e.type.isOrdinal = false;
    e.type.text = type;
    e.name.ordinal = name;
    e.languageId = 0x0409;
    e.data = data;
    return e;
}

DumpOutput Print(const ResEntry& entry) {
    DumpOutput out;
    PrintEntry(entry, out);
    return out;
}

Bytes OneRecord(const char* vendor, const char* key, const Bytes& value, uint32_t count = 1) {
    Bytes b = ListHeader(count);
    PutRecord(b, vendor, key, value);
    return b;
}

std::string Problems(const DumpOutput& out) {
    std::string all;
    for (const std::string& p : out.problems) all += p + "\n";
    return all;
}

// A PE image with one section holding the resource directory: type 'VTAG' (a name string),
// id 16000, language 0x0409, and data. loop makes the name level point back at the type level;
// dataRva moves the data entry's RVA.
Bytes PeImage(bool plus, const Bytes& data, bool loop = false, uint32_t dataRva = 0x1000 + 100) {
    Bytes b(64, 0);
    b.reserve(0x1000);  // room for the headers and section (GCC 12 misreads the growth)
    b[0] = 'M';
    b[1] = 'Z';
    b[0x3C] = 64;
    PutText(b, std::string("PE\0\0", 4));
    const uint16_t optionalSize = plus ? 240 : 224;
    Put16s(b, {uint16_t(plus ? 0x8664 : 0x14C), 1});  // machine, one section
    Put32s(b, {0, 0, 0});
    Put16s(b, {optionalSize, 0x2102});
    const size_t optional = b.size();
    b.resize(optional + optionalSize, 0);
    b[optional] = 0x0B;
    b[optional + 1] = plus ? 0x02 : 0x01;
    const size_t countField = optional + (plus ? 108 : 92);
    b[countField] = 16;
    const size_t resourceEntry = countField + 4 + 16;
    b[resourceEntry + 1] = 0x10;  // RVA 0x1000
    b[resourceEntry + 4] = 200;   // size
    PutText(b, std::string(".rsrc\0\0\0", 8));
    Put32s(b, {0x200, 0x1000, 0x200, 0x200});  // virtual size and address, raw size and offset
    b.resize(0x200, 0);
    // Type, name and language directories of one entry each (16 bytes and 8 per entry),
    // the data entry at 72, the type's name at 88, the data at 100.
    Bytes s;
    Put32s(s, {0, 0, 0, 1, 0x80000000u | 88, 0x80000000u | 24});
    Put32s(s, {0, 0, 0, 1u << 16, 16000, 0x80000000u | (loop ? 0 : 48)});
    Put32s(s, {0, 0, 0, 1u << 16, 0x0409, 72});
    Put32s(s, {dataRva, uint32_t(data.size()), 0, 0});
    Put16(s, 4);
    for (char c : std::string("VTAG")) Put16(s, uint16_t(c));
    s.resize(100, 0);
    s.insert(s.end(), data.begin(), data.end());
    s.resize(0x200, 0);
    b.insert(b.end(), s.begin(), s.end());
    return b;
}

// Runs the tool with the arguments, FILE standing for a file that holds bytes; returns the
// status, fills the two streams. The file lies in a folder of its own: other test processes
// (ctest -j, another build's tests) write theirs at the same time, under that name.
int RunDumpOn(const Bytes& bytes, std::vector<std::string> args, std::string& out, std::string& err) {
    namespace fs = std::filesystem;
    fs::path folder;
    for (int n = 0;; ++n) {
        folder = fs::path(testing::TempDir()) / ("propwright_dump_test_" + std::to_string(n));
        if (fs::create_directory(folder)) break;
    }
    const std::string path = (folder / "dump_test_input.res").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    std::vector<char*> argv = {const_cast<char*>("propwright-dump")};
    for (std::string& arg : args) argv.push_back(&(arg == "FILE" ? arg = path : arg)[0]);
    argv.push_back(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = RunDump(int(argv.size()) - 1, argv.data());
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return status;
}

// String 16 "Café€" (five units), string 17 "a中", string 18 the C1 control U+0081.
Bytes StringBlockBeyondAscii() {
    Bytes block;
    const uint16_t units[] = {5, 'C', 'a', 'f', 0xE9, 0x20AC, 2, 'a', 0x4E2D, 1, 0x81};
    for (uint16_t unit : units) Put16(block, unit);
    for (int i = 3; i < 16; ++i) Put16(block, 0);
    return block;
}

}  // namespace

// Resources printed whole, as they are or (utf8) with the texts -u decodes as UTF-8; the
// viewer's text stays bytes under -u.
TEST(DumpPrint, ResourcesAsSourceText) {
    ResEntry icon = Resource("ICON", Bytes(10, 1), 3);
    icon.type.isOrdinal = true;
    icon.type.ordinal = 3;
    Bytes list = ListHeader(6);
    Bytes kind;
    PutCode(kind, "LmFl");
    PutRecord(list, "LMTR", "kind", kind);
    // "a", a double quote and the byte 0xC9: octal escapes, so no conversion touches them.
    PutRecord(list, "LMTR", "name", Bytes{3, 'a', '"', 0xC9, 0, 0, 0, 0});
    Bytes flags;
    Put32(flags, 0x0C);  // bits 3 and 2: fourth and fifth of six names, shifted left by one
    PutRecord(list, "LMTR", "fmtf", flags);
    Bytes types;
    Put32(types, 0x01020304);  // no character constant holds it
    PutCode(types, "TEXT");
    PutRecord(list, "LMTR", "RdTy", types);
    PutRecord(list, "LMTR", "RdEx", Bytes{'p', 'n', 'g', ' '});
    Bytes version;
    Put32(version, 0x00010002);
    PutRecord(list, "LMTR", "vers", version);
    // Two terminology suites: a comma between them, none after the last.
    Bytes aete;
    Put16s(aete, {1, 0x0201, 0, 0, 2});  // major 1, minor 2, language, script, suites
    uint16_t level = 0;
    for (const char* id : {"one ", "two "}) {
        PutText(aete, level == 0 ? "\3One\5first" : "\3Two\6second");
        PutCode(aete, id);
        Put16s(aete, {++level, 1, 0, 0, 0, 0});  // version; no events, classes, comparisons or
    }                                             // enumerations
    const struct {
        ResEntry entry;
        bool utf8;
        std::string text;
        std::string declarations;
    } rows[] = {
        {icon, false, "/* not converted: type #3, id #3, language 0x0409, 10 bytes */\n\n", ""},
        {Resource("PATH", Bytes{0x01, 0x23, 0xAB, 0xCD}, 1), false,
         "data 'PATH' (1) {\n\t$\"0123 ABCD\"\n};\n\n", ""},
        {Resource("PATE", Bytes{1, 0, 'C', 0xE9, 0x80, 0x81, 0}, 6), true,
         "resource 'Pate' (6) {\n\t\"C\xC3\xA9\xE2\x82\xAC\\201\"\n};\n\n", ""},
        {Resource("QKPN", Bytes{0xFD, 0xFF, 0xE9, 0}, 5), true,
         "resource 'QkPn' (5) {\n\tVersion3 { \"\\351\" }\n};\n\n", ""},
        {Resource("VTAG", OneRecord("LMTR", "name", Bytes{2, 'C', 0xE9, 0})), true,
         "resource 'Vtag' (16000) {\n\t{\n\t\tName { \"C\xC3\xA9\" },\n\t}\n};\n\n", ""},
        {Resource("VTAG", list), false,
         "resource 'Vtag' (16000) {\n\t{\n"
         "\t\tKind { Filter },\n"
         "\t\tName { \"a\\042\\311\" },\n"
         "\t\tFormatFlags { 0, 0, 0, fmtCanWriteIfRead, fmtCanWriteTransparency, 0 },\n"
         "\t\tReadTypes { { kDumpCode01020304, 'TEXT' } },\n"
         "\t\tReadExtensions { { 'png ' } },\n"
         "\t\tVersion { 0x00010002 },\n"
         "\t}\n};\n\n",
         "enum { kDumpCode01020304 = 0x01020304 };\n"},
        {Resource("AETE", aete, 128), false,
         "resource 'aete' (128) {\n\t1, 2, 0, 0,\n"
         "\t{\n\t\t\"One\", \"first\", 'one ', 1, 1,\n\t\t{ },\n\t\t{ },\n\t\t{ },\n\t\t{ }\n\t},\n"
         "\t{\n\t\t\"Two\", \"second\", 'two ', 2, 1,\n\t\t{ },\n\t\t{ },\n\t\t{ },\n\t\t{ }\n\t}\n"
         "};\n\n", ""},
    };
    for (const auto& row : rows) {
        DumpOutput out;
        out.utf8 = row.utf8;
        PrintEntry(row.entry, out);
        EXPECT_EQ(out.text, row.text);
        EXPECT_EQ(out.declarations, row.declarations);
        EXPECT_EQ(Problems(out), "");
    }
}

TEST(DumpDamaged, ProblemsNamedWithTheirOffset) {
    ResEntry named = Resource("PATE", Bytes{1, 0, 'x', 0});
    named.name.isOrdinal = false;
    named.name.text = "ABOUT";
    Bytes longName = OneRecord("LMTR", "name", Bytes{4, 'a', 'b', 'c', 'd', 0, 0, 0});
    longName[10 + 12] = 12;  // 12 value bytes where 8 are left
    Bytes kind;
    PutCode(kind, "LmFl");
    Bytes addin;  // one category whose header is cut off
    Put16s(addin, {1, 1, 8});
    const struct {
        ResEntry entry;
        std::string problems;
    } rows[] = {
        {Resource("VTAG", longName),
         "Vtag 16000: property 'name' at offset 10: length 12 exceeds the 8 bytes left\n"},
        // Count 2, one kind record of 20 bytes: the second header would start at 30.
        {Resource("VTAG", OneRecord("LMTR", "kind", kind, 2)),
         "Vtag 16000: record 2 of 2 at offset 30: the data ends inside the record header "
         "(count 2 larger than the records present)\n"},
        {Resource("VTAG", OneRecord("LMTR", "kind", kind, 0)),
         "Vtag 16000: offset 10: 20 bytes after the last of 0 records (count smaller than "
         "the records present)\n"},
        {Resource("VTAG", OneRecord("LMTR", "zzzz", kind)),
         "Vtag 16000: property 'zzzz' at offset 10: unknown property key\n"},
        {Resource("VTAG", OneRecord("ORVN", "kind", kind)),
         "Vtag 16000: property 'kind' at offset 10: vendor 'ORVN', the converter writes "
         "'LMTR' for Kind\n"},
        {Resource("VTAG", OneRecord("LMTR", "wnsc", Bytes{2, 0, 0, 0})),
         "Vtag 16000: property 'wnsc' at offset 10: WantsScrap: presence flag holds 2, "
         "must be 1\n"},
        {Resource("VTAG", Bytes{1, 0, 0}),
         "Vtag 16000: data of 3 bytes is shorter than the 10-byte list header\n"},
        {Resource("PATE", Bytes{1, 0, 'h', 'i'}, 6),
         "Pate 6: offset 3: the text is not ended by a zero byte\n"},
        {Resource("PATE", Bytes{2, 0, 0}, 6), "Pate 6: offset 0: first word 2, the converter writes 1\n"},
        {Resource("PATH", Bytes{1, 2, 3}, 1),
         "PATH 1: odd data size 3; the converter writes whole 16-bit words\n"},
        {Resource("ADIN", addin), "AdIn 16000: category 1 of 1: data ends inside a category header\n"},
        {named, "Pate ABOUT: a name that is a string; the converter writes numeric identifiers "
                "only\n"},
    };
    for (const auto& row : rows) EXPECT_EQ(Problems(Print(row.entry)), row.problems);
    // The unprintable record stays as raw bytes in a comment; the list goes on.
    const DumpOutput out = Print(Resource("VTAG", OneRecord("LMTR", "zzzz", kind)));
    EXPECT_NE(out.text.find("/* raw: 52 54 4D 4C 7A 7A 7A 7A"), std::string::npos) << out.text;
}

TEST(DumpPe, DamagedImagesAreRefusedWithTheirOffset) {
    const Bytes data = OneRecord("LMTR", "wnsc", Bytes{1, 0, 0, 0});
    std::vector<ResEntry> entries;
    std::string error;
    // The name level's entry points back at the type directory at section offset 0 (0x200).
    EXPECT_FALSE(ParsePeResources(PeImage(false, data, true), entries, error));
    EXPECT_EQ(error, "offset 512: resource directory loop: this directory is reached twice");
    // Data at an RVA beyond the section's 0x200 bytes; the data entry is at 0x200 + 72.
    EXPECT_FALSE(ParsePeResources(PeImage(false, data, false, 0x1000 + 0x1F0), entries, error));
    EXPECT_EQ(error, "offset 584: data of 30 bytes at RVA 0x000011F0 lies outside the image's "
                     "sections");
    // Cut inside the section table, and inside the resource section.
    Bytes image = PeImage(true, data);
    image.resize(64 + 24 + 240 + 20);
    EXPECT_FALSE(ParsePeResources(image, entries, error));
    EXPECT_EQ(error, "offset 328: 1 section headers run past the file");
    // 10 bytes of the section: not even the type directory's 16. 30 bytes: the type directory
    // and its entry fit, the type's name string at section offset 88 does not.
    image = PeImage(false, data);
    image.resize(0x200 + 10);
    EXPECT_FALSE(ParsePeResources(image, entries, error));
    EXPECT_EQ(error, "offset 512: resource directory lies past the resource section");
    image = PeImage(false, data);
    image.resize(0x200 + 30);
    EXPECT_FALSE(ParsePeResources(image, entries, error));
    EXPECT_EQ(error, "offset 600: name string lies past the resource section");
}


TEST(DumpRun, StatusesAndMessages) {
    Bytes good = Leading(), unended = Leading(), strings = Leading();
    PutEntry(good, "PATE", 6, Bytes{1, 0, 'h', 'i', 0});
    PutEntry(unended, "PATE", 6, Bytes{1, 0, 'h', 'i'});
    const Bytes truncated(unended.begin(), unended.end() - 4);  // data shorter than its size
    PutEntry(strings, "#6", 2, StringBlockBeyondAscii());
    const std::string unwritable =
        "dump_test_input.res: STRINGTABLE 2: string 17 at offset 12 holds U+4E2D, which code "
        "page 1252, the script's, cannot hold\n";
    const std::string codePage =
        "/* String tables: the round trip assumes code page 1252 for the script (windres's\n"
        "   default; -c 1252 for llvm-rc, /c1252 for rc) */\n\n";
    const std::string usage =
        "usage: propwright-dump [--utf8] FILE   (FILE: a .res file, or a DLL or EXE)\n"
        "       propwright-dump --check [-v] FILE...\n";
    const struct {
        Bytes file;
        std::vector<std::string> args;
        int status;  // 0: nothing on the error stream; 2: nothing on the output
        std::vector<std::string> out;  // parts of the output
        std::string err;  // a part of the error output
        std::string absent = "\x01";  // what the output must not hold
    } rows[] = {
        {good, {"FILE"}, 0,
         {"propwright dump_test_input.rr dump_test_input.rc -j",
          "resource 'Pate' (6) {\n\t\"hi\"\n};"}, ""},
        {unended, {"FILE"}, 1, {},
         "dump_test_input.res: Pate 6: offset 3: the text is not ended by a zero byte\n"},
        {truncated, {"FILE"}, 2, {}, "not a readable .res file: offset 32: DataSize 4 but only"},
        {PeImage(true, Bytes{1, 0, 0}, true), {"FILE"}, 2, {}, "resource directory loop"},
        {strings, {"FILE"}, 1,
         {"-j: no character conversion; the bytes are printed as they are) */\n" + codePage,
          "resource 'STR ' (16) { \"Caf\\351\\200\" };\n", "/* raw: 02 00 61 00 2D 4E */",
          "resource 'STR ' (18) { \"\\201\" };\n"},
         unwritable},
        {strings, {"--utf8", "FILE"}, 1,
         {"/* Convert back with: propwright dump_test_input.rr dump_test_input.rc -u\n"
          "   (-u: the text is UTF-8, converted into code page 1252; the viewer's text and the\n"
          "   C1 controls are printed as octal escapes, which the conversion leaves alone) */\n" +
              codePage,
          "resource 'STR ' (16) { \"Caf\xC3\xA9\xE2\x82\xAC\" };\n",
          "resource 'STR ' (18) { \"\\201\" };\n"},
         unwritable},
        // Only ASCII: no word about the code page.
        {good, {"--utf8", "FILE"}, 0, {"dump_test_input.rc -u\n"}, "",
         "code page 1252 for the script"},
        {{}, {"--help"}, 0,
         {"usage: propwright-dump [--utf8] FILE",
          "Exit status: 0 clean, 1 problems found, 2 unreadable input."}, ""},
        {{}, {"--version"}, 0, {"propwright-dump 1.0.0\n"}, ""},
        // No file, --help with a second argument, --check without a file: the usage.
        {{}, {}, 2, {}, usage},
        {{}, {"--help", "x.res"}, 2, {}, usage},
        {{}, {"--check"}, 2, {}, usage},
        {{}, {"no-such-file.res"}, 2, {}, "no-such-file.res: cannot open\n"},
    };
    for (const auto& row : rows) {
        std::string out, err;
        EXPECT_EQ(RunDumpOn(row.file, row.args, out, err), row.status) << err;
        for (const std::string& part : row.out) EXPECT_NE(out.find(part), std::string::npos) << part;
        EXPECT_EQ(out.find(row.absent), std::string::npos);
        EXPECT_NE(err.find(row.err), std::string::npos) << err;
        EXPECT_TRUE(row.status != 0 || err.empty()) << err;
        EXPECT_TRUE(row.status != 2 || out.empty()) << out;
    }
}

// A constant is read to the next quote without escapes; under -u its text is UTF-8.
TEST(DumpPrint, EveryCodeAConstantGivesBackIsPrintedAsOne) {
    const uint32_t quoteBackslash = uint32_t('a') << 24 | uint32_t('"') << 16 | 'b' << 8 | '\\';
    for (bool utf8 : {false, true}) {
        EXPECT_TRUE(IsCharConstant(quoteBackslash, utf8));
        EXPECT_EQ(CharConstant(quoteBackslash, utf8), "'a\"b\\'");
        EXPECT_TRUE(IsCharConstant(0x80616220, utf8));   // 0x80: the euro sign in 1252
        EXPECT_FALSE(IsCharConstant(0x61276263, utf8));  // a quote ends a constant
        EXPECT_FALSE(IsCharConstant(0x61096263, utf8));  // control bytes are not printed
    }
    EXPECT_EQ(CharConstant(0xC9616220, false), "'\xC9" "ab '");
    EXPECT_EQ(CharConstant(0xC9616220, true), "'\xC3\x89" "ab '");
    EXPECT_EQ(CharConstant(0x80616220, true), "'\xE2\x82\xAC" "ab '");
    EXPECT_TRUE(IsCharConstant(0x81616263, false));
    EXPECT_FALSE(IsCharConstant(0x81616263, true));  // a C1 control: no 1252 character
}
