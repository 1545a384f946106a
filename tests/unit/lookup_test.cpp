// Keyword and symbol lookup: letter-case rules, the 80-character comparison limit, newer
// definitions hiding older ones, and a source with many symbols.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "driver/run.h"
#include "lexer/keywords.h"
#include "lexer/context.h"
#include "lexer/symbols.h"

namespace fs = std::filesystem;

namespace {

std::string FlipCase(std::string text) {
    for (char& c : text) {
        unsigned char u = (unsigned char)c;
        c = char(std::isupper(u) ? std::tolower(u) : std::toupper(u));
    }
    return text;
}

TEST(KeywordLookup, EachRowIsFoundByItsNameUnderItsCaseRule) {
    for (int i = 0; i < kKeywordCount; ++i) {
        const KeywordRow& row = kKeywordTable[i];
        EXPECT_EQ(FindKeyword(row.name), &row) << row.name;
        const KeywordRow* flipped = FindKeyword(FlipCase(row.name).c_str());
        if (row.caseSensitive)
            EXPECT_EQ(flipped, nullptr) << row.name;
        else
            EXPECT_EQ(flipped, &row) << row.name;
    }
}

TEST(KeywordLookup, KindsAndMisses) {
    EXPECT_EQ(FindKeyword("Filter")->kind, uint32_t(kKwFilter));
    EXPECT_EQ(FindKeyword("filter"), nullptr);
    EXPECT_EQ(FindKeyword("ReSoUrCe")->kind, uint32_t(kTokResource));
    EXPECT_EQ(FindKeyword("lmhelpmenu")->kind, uint32_t(kKwLMHelpMenu));
    EXPECT_EQ(FindKeyword("MV_Effect_Spec_Version")->kind, uint32_t(kKwMV_Effect_Spec_Version));
    EXPECT_EQ(FindKeyword("PluginLaunchesEditor")->kind, uint32_t(kKwPluginLaunchesEditor));
    EXPECT_EQ(FindKeyword("Kin"), nullptr);    // no prefix match
    EXPECT_EQ(FindKeyword("Kinds"), nullptr);  // nor a longer word
    EXPECT_EQ(FindKeyword(""), nullptr);
    EXPECT_EQ(FindKeyword("typedef"), nullptr);  // handled before the table
}

// The help browser numbers the keywords in table order; the property kinds follow the others.
TEST(KeywordLookup, TableOrderAndPropertyKinds) {
    ASSERT_EQ(kKeywordCount, 138);
    EXPECT_STREQ(kKeywordTable[0].name, "data");
    EXPECT_STREQ(kKeywordTable[3].name, "Filter");
    EXPECT_STREQ(kKeywordTable[22].name, "MVImageFormat");
    EXPECT_STREQ(kKeywordTable[23].name, "MVAccelerator");
    EXPECT_STREQ(kKeywordTable[35].name, "Kind");
    EXPECT_STREQ(kKeywordTable[137].name, "PluginLaunchesEditor");
    EXPECT_EQ(uint32_t(kKwFilter), 29u);
    EXPECT_EQ(uint32_t(kKwFirstProperty), 61u);
    EXPECT_EQ(uint32_t(kKwLastProperty), 163u);
}

// Each test works on a conversion of its own.
class SymbolLookup : public ::testing::Test {
protected:
    LexContext context_;
    ActiveContext active_{context_};
};

TEST_F(SymbolLookup, AnyLetterCaseAndNewestFirst) {
    AddSymbol("Alpha")->numberValue = 1;
    EXPECT_EQ(FindSymbol("ALPHA")->numberValue, 1);
    EXPECT_EQ(FindSymbol("alpha")->numberValue, 1);
    EXPECT_EQ(FindSymbol("Alph"), nullptr);
    EXPECT_EQ(FindSymbol("Alphas"), nullptr);
    AddSymbol("ALPHA")->numberValue = 2;  // hides the first
    EXPECT_EQ(FindSymbol("Alpha")->numberValue, 2);
    AddSymbol("beta")->numberValue = 3;  // another name hides nothing
    EXPECT_EQ(FindSymbol("alpha")->numberValue, 2);
    EXPECT_EQ(FindSymbol("BETA")->numberValue, 3);
    ReleaseSymbols();
    EXPECT_EQ(FindSymbol("alpha"), nullptr);
}

TEST_F(SymbolLookup, NamesCompareOverEightyCharacters) {
    const std::string stem(80, 'n');
    AddSymbol((stem + "A").c_str())->numberValue = 7;
    EXPECT_EQ(FindSymbol((stem + "B").c_str())->numberValue, 7);
    EXPECT_EQ(FindSymbol(stem.c_str())->numberValue, 7);
    EXPECT_EQ(FindSymbol(stem.substr(0, 79).c_str()), nullptr);
    AddSymbol((stem + "zzz").c_str())->numberValue = 8;  // the same name to 80 characters
    EXPECT_EQ(FindSymbol((stem + "A").c_str())->numberValue, 8);
    const std::string other = stem.substr(0, 79) + "m";
    EXPECT_EQ(FindSymbol(other.c_str()), nullptr);  // differs at the 80th
}

// Conversions in process, in a directory of their own.
class LookupRun : public ::testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        // Another process (another build's tests) may run the same test: the first free name.
        for (int n = 0;; ++n) {
            dir_ = fs::temp_directory_path() /
                   (std::string("propwright_lookup_") + test->name() + "_" + std::to_string(n));
            if (fs::create_directory(dir_)) break;
        }
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    // Converts the source; returns the status, the script in *script.
    int Convert(const std::string& source, std::string* script) {
        const std::string in = (dir_ / "in.rr").string();
        const std::string out = (dir_ / "out.rc").string();
        std::ofstream(in, std::ios::binary) << source;
        const char* argv[] = {"propwright", in.c_str(), out.c_str()};
        testing::internal::CaptureStdout();
        int status = RunPropwright(3, argv);
        testing::internal::GetCapturedStdout();
        std::ifstream result(out, std::ios::binary);
        script->assign(std::istreambuf_iterator<char>(result), std::istreambuf_iterator<char>());
        return status;
    }
    static std::string Table(const std::string& id, const std::string& text) {
        return "STRINGTABLE\tDISCARDABLE\nBEGIN\n\t" + id + ",\n\t\"" + text + "\"\nEND\n\n";
    }
    fs::path dir_;
};

// Symbols ignore letter case, enum constants do not; the newest definition of each wins.
TEST_F(LookupRun, SymbolsAndEnumConstantsInAConversion) {
    std::string script;
    ASSERT_EQ(Convert("#define Id 1\n#define ID 2\n"
                      "enum { Red 3, RED 4 };\nenum { Red 5 };\n"
                      "resource 'STR ' (id) { \"a\" };\n"
                      "resource 'STR ' (Red) { \"b\" };\n"
                      "resource 'STR ' (RED) { \"c\" };\n",
                      &script),
              0);
    EXPECT_NE(script.find(Table("2", "a") + Table("5", "b") + Table("4", "c")),
              std::string::npos)
        << script;
}

TEST_F(LookupRun, EightyThousandSymbolsConvert) {
    const int count = 80000;
    std::string source;
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        source += "#define kString" + n + " " + n + "\nresource 'STR ' (KSTRING" + n +
                  ") { \"s\" };\n";
    }
    std::string script;
    ASSERT_EQ(Convert(source, &script), 0);
    size_t tables = 0;
    for (size_t at = script.find("STRINGTABLE"); at != std::string::npos;
         at = script.find("STRINGTABLE", at + 1))
        ++tables;
    EXPECT_EQ(tables, size_t(count));
    EXPECT_NE(script.find(Table("1", "s") + Table("2", "s")), std::string::npos);
    EXPECT_NE(script.find(Table("79999", "s") + Table("80000", "s")), std::string::npos);
}

}  // namespace
