// Keyword and symbol lookup: letter-case rules, the 80-character comparison limit, newer
// definitions hiding older ones, and a source with many symbols.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "lexer/keywords.h"
#include "lexer/context.h"
#include "lexer/symbols.h"
#include "tests/unit/convert_rows.h"

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

TEST(KeywordLookup, WholeWordsOnly) {
    EXPECT_EQ(FindKeyword("Kin"), nullptr);    // no prefix match
    EXPECT_EQ(FindKeyword("Kinds"), nullptr);  // nor a longer word
    EXPECT_EQ(FindKeyword(""), nullptr);
    EXPECT_EQ(FindKeyword("typedef"), nullptr);  // handled before the table
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

std::string Table(const std::string& id, const std::string& text) {
    return "STRINGTABLE\tDISCARDABLE\nBEGIN\n\t" + id + ",\n\t\"" + text + "\"\nEND\n\n";
}

TEST(LookupRun, EightyThousandSymbolsConvert) {
    const int count = 80000;
    std::string source;
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        source += "#define kString" + n + " " + n + "\nresource 'STR ' (KSTRING" + n +
                  ") { \"s\" };\n";
    }
    const std::string script = ConvertText(source).script;
    size_t tables = 0;
    for (size_t at = script.find("STRINGTABLE"); at != std::string::npos;
         at = script.find("STRINGTABLE", at + 1))
        ++tables;
    EXPECT_EQ(tables, size_t(count));
    EXPECT_NE(script.find(Table("1", "s") + Table("2", "s")), std::string::npos);
    EXPECT_NE(script.find(Table("79999", "s") + Table("80000", "s")), std::string::npos);
}

}  // namespace
